#include "platform/ProgramModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifndef VORBELLO_INSTALL_LIBDIR
#define VORBELLO_INSTALL_LIBDIR "/usr/local/lib/vorbello"
#endif

QFunctionPointer ProgramModuleFunction(const QString &moduleFile, const char *function)
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &place : {QDir(dir).filePath(moduleFile),
                                 QDir::cleanPath(dir + QStringLiteral("/../lib/vorbello/") + moduleFile),
                                 QStringLiteral(VORBELLO_INSTALL_LIBDIR "/") + moduleFile}) {
        QLibrary module(place);
        // What a module made lives until the program ends; unloading under it would crash.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load())
            continue;
        if (QFunctionPointer f = module.resolve(function))
            return f;
    }
    return nullptr;
}
