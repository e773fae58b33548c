#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// Detects a running copy that uses the same settings.
class SingleInstance
{
public:
    // folder: the settings root. Every copy that uses those settings looks there, whatever its
    // temporary folder, and only the user can write there, so nobody else can hold the lock.
    explicit SingleInstance(const QString &folder);
    // False only when a running copy holds the lock; the lock is held until this object goes.
    // A lock that cannot be made at all does not stop the program: the settings folder it needs
    // cannot be written either, and that failure is the one to report.
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

namespace Fonts {
// Registers a font file for the running program and lets the name `alias` stand for its family.
// Returns the family, or empty on failure.
QString registerForProgram(const QString &hostPath, const QString &alias);
} // namespace Fonts

namespace Shell {
// Opens a document with the desktop's handler. False when the file is missing or there is no
// launcher at all; when the launcher finds no program for the document, `notShown` is called
// later, from the event loop. Nothing is shown either way.
bool open(const QString &hostPath, const std::function<void()> &notShown = {});
} // namespace Shell
