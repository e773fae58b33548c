#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

SingleInstance::SingleInstance(const QString &folder)
    : m_lock(std::make_unique<QLockFile>(folder + QStringLiteral("/Vorbello.lock")))
{
    // A copy that crashed leaves its lock behind; a lock whose process is gone is stale at once.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError;
}

QString Fonts::registerForProgram(const QString &hostPath, const QString &alias)
{
    const int id = QFontDatabase::addApplicationFont(hostPath);
    if (id < 0)
        return QString();
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        return QString();
    if (!alias.isEmpty() && alias.compare(families.first(), Qt::CaseInsensitive) != 0) {
        QFont::removeSubstitutions(alias);
        QFont::insertSubstitution(alias, families.first());
    }
    return families.first();
}

bool Shell::open(const QString &hostPath, const std::function<void()> &notShown)
{
    if (hostPath.isEmpty() || !QFileInfo(hostPath).isFile())
        return false;
    // Qt starts xdg-open detached and calls that success, though xdg-open fails when no program
    // handles the type; only its exit status tells.
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(hostPath));
    // Never deleted while running: deleting would kill the launcher, and with it a viewer it
    // runs in the foreground, when the program ends first.
    auto *process = new QProcess;
    process->setProgram(launcher);
    process->setArguments({hostPath});
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, notShown](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && notShown)
                             notShown();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, notShown](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (notShown)
                             notShown();
                         process->deleteLater();
                     });
    process->start();
    return true;
}
