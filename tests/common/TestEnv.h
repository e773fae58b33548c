#pragma once

// A throw-away world for one test: drive C and a program folder in a temporary directory, an
// application state wired to recording seams, and helpers to lay down language files.

#include "core/AppState.h"
#include "core/WindowRegistry.h"
#include "platform/CodePage.h"
#include "Files.h"
#include "RecordingDialogs.h"
#include "RecordingPrinters.h"
#include "ScriptedRandom.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

class TestEnv
{
public:
    TestEnv()
    {
        QDir(dir.path()).mkpath(QStringLiteral("C"));
        QDir(dir.path()).mkpath(QStringLiteral("prog/lgnvorbello"));
        state = std::make_unique<AppState>(
            Paths(dir.path() + QStringLiteral("/C"), dir.path() + QStringLiteral("/prog")));
        windows = std::make_unique<WindowRegistry>(*state);
        state->dialogs = &dialogs;
        state->printers = &printers;
        state->random = &random;
        state->windows = windows.get();
    }
    ~TestEnv()
    {
        windows.reset();
        state.reset();
    }

    QString driveC() const { return dir.path() + QStringLiteral("/C"); }
    QString prog() const { return dir.path() + QStringLiteral("/prog"); }

    // Paths below the temporary directory.
    bool put(const QString &relative, const QByteArray &bytes)
    {
        return writeBytes(dir.path() + QLatin1Char('/') + relative, bytes);
    }
    QByteArray get(const QString &relative) const
    {
        return fileBytes(dir.path() + QLatin1Char('/') + relative);
    }
    // A file shipped in data/, copied to the same place in the program folder.
    bool ship(const QString &file)
    {
        QFile shipped(QStringLiteral(VORBELLO_SOURCE_DATA "/") + file);
        return shipped.open(QIODevice::ReadOnly) && put(QStringLiteral("prog/") + file, shipped.readAll());
    }
    bool exists(const QString &relative) const
    {
        return QFileInfo::exists(dir.path() + QLatin1Char('/') + relative);
    }

    // A language file from UTF-8 text, stored in the program's code page with CR LF.
    void language(const QString &name, const QString &utf8Body)
    {
        QString body = utf8Body;
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        body.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        put(QStringLiteral("prog/lgnvorbello/") + name + QStringLiteral(".lng"),
            CodePage::encode(body));
    }
    void currentLanguage(const QString &name)
    {
        put(QStringLiteral("prog/lgnvorbello/LangSetting.ini"),
            "[Language]\r\nCurrentLanguage=" + name.toLatin1() + "\r\n");
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    RecordingPrinters printers;
    ScriptedRandom random;
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowRegistry> windows;
};
