#include "platform/SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

#ifndef VORBELLO_INSTALL_LIBDIR
#define VORBELLO_INSTALL_LIBDIR "/usr/local/lib/vorbello"
#endif

namespace {

QStringList places(const QString &executableDir)
{
    const QString ModuleName = QStringLiteral("vorbello_sound.so");
    // As for the data: beside the program (a build, a copied folder), then where a package
    // unpacked anywhere keeps it, then where it was built to be installed.
    return {QDir(executableDir).filePath(ModuleName),
            QDir::cleanPath(executableDir + QStringLiteral("/../lib/vorbello/") + ModuleName),
            QStringLiteral(VORBELLO_INSTALL_LIBDIR "/") + ModuleName};
}

} // namespace

SoundModule::SoundModule(const QString &defaultSoundPath) : m_defaultPath(defaultSoundPath) {}

SoundModule::~SoundModule() = default;

void SoundModule::play(const QString &hostPath)
{
    if (!m_tried) {
        m_tried = true;
        using Make = SoundPlayer *(*)(const QString &);
        for (const QString &place : places(QCoreApplication::applicationDirPath())) {
            QLibrary module(place);
            // Its players live until the program ends; unloading under them would crash.
            module.setLoadHints(QLibrary::PreventUnloadHint);
            if (!module.load())
                continue;
            if (auto make = reinterpret_cast<Make>(module.resolve("vorbello_sound_player"))) {
                m_player.reset(make(m_defaultPath));
                break;
            }
        }
    }
    if (m_player)
        m_player->play(hostPath);
}
