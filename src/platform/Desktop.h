#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// Detects a running copy of the same installation (same settings and program folders).
class SingleInstance
{
public:
    // key: anything naming the installation; the lock lives in the temporary folder so that the
    // check can run before any settings folder exists.
    explicit SingleInstance(const QString &key);
    // True when this is the only copy; the lock is held until this object goes.
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
