#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VORBELLO_INSTALL_DATADIR
#define VORBELLO_INSTALL_DATADIR "/usr/local/share/vorbello"
#endif

Paths::Paths(const QString &driveC, const QString &programFolder)
    : m_driveC(QDir::cleanPath(driveC)), m_programFolder(QDir::cleanPath(programFolder))
{
}

Paths Paths::forHost()
{
    QString driveC = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#ifdef Q_OS_WIN
    driveC = QStringLiteral("C:/");
#endif
    return Paths(driveC, programFolderFor(QCoreApplication::applicationDirPath(),
                                          QStringLiteral(VORBELLO_INSTALL_DATADIR)));
}

QString Paths::programFolderFor(const QString &executableDir, const QString &installedDataDir)
{
    const auto holdsData = [](const QString &dir) {
        return QFileInfo(dir + QStringLiteral("/lgnvorbello")).isDir();
    };
    if (holdsData(executableDir))
        return executableDir;
    // Found from the executable, an installed copy works wherever its prefix was unpacked (a
    // package built for /usr, a copy unpacked into a scratch folder), not only where it was built
    // to go.
    const QString beside = QDir::cleanPath(executableDir + QStringLiteral("/../share/vorbello"));
    if (holdsData(beside))
        return beside;
    return installedDataDir;
}

static QString matchComponent(const QString &dir, const QString &name)
{
    const QString exact = dir + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return name;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString Paths::toHost(QStringView windowsPath) const
{
    if (windowsPath.isEmpty())
        return QString();
    QString path = windowsPath.toString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));

    QString root;
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()) {
        // Only drive C exists for this program; other letters live beside it.
        root = path.at(0).toUpper() == QLatin1Char('C')
                   ? m_driveC
                   : m_driveC + QStringLiteral("/drive_") + path.at(0).toLower();
        path = path.mid(2);
    } else if (path.startsWith(QLatin1Char('/'))) {
        root = QStringLiteral("/");
    } else {
        root = QDir::currentPath();
    }

    // Fast path: the path exists as written (and does not climb out of its drive).
    if (!path.contains(QLatin1String(".."))) {
        const QString direct = QDir::cleanPath(root + QLatin1Char('/') + path);
        if (QFileInfo::exists(direct))
            return direct;
    }

    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString rootPath = QDir::cleanPath(root);
    QString current = rootPath;
    bool resolving = true;
    for (const QString &part : parts) {
        QString name = part;
        if (resolving) {
            const QString found = matchComponent(current, part);
            if (found.isEmpty())
                resolving = false;
            else
                name = found;
        }
        if (name == QLatin1String("..")) {
            // Never above the drive: names that come from files must not reach outside it.
            if (current != rootPath)
                current = QFileInfo(current).path();
        }
        else if (name != QLatin1String("."))
            current = current == QLatin1String("/") ? QLatin1Char('/') + name
                                                      : current + QLatin1Char('/') + name;
    }
    return current;
}

bool EsisteCartella(const Paths &paths, const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(paths.toHost(path)).isDir();
}

bool EsisteFile(const Paths &paths, const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(paths.toHost(path)).isFile();
}
