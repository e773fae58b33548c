#include "platform/Paths.h"

#include "platform/NativeName.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace {

struct Entry {
    QString name;
    bool file = false; // a regular file, or a link to one
};

// Listing a folder on every lookup of a name it lacks cost more than the lookup, so a listing is
// kept while the folder stays the same. Any entry added, removed or renamed moves the folder's
// change time to the present, except within one tick of the file system's clock: a listing is
// therefore kept only once its folder had been still for longer than any clock's tick when it
// was taken. A link's target can change without its folder, so a folder with links is not kept.
struct Listing {
    QList<Entry> entries;
#ifdef Q_OS_UNIX
    dev_t device = 0;
    ino_t inode = 0;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;
#endif
};

constexpr qint64 quiet = 3'000'000'000; // nanoseconds: more than a FAT folder's two seconds
constexpr qsizetype mostKept = 256;

#ifdef Q_OS_UNIX
bool stampOf(const QString &dir, Listing *l)
{
    struct stat st;
    if (::stat(NativeName(dir).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    l->device = st.st_dev;
    l->inode = st.st_ino;
    l->modified = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    l->changed = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    return true;
}

bool sameStamp(const Listing &a, const Listing &b)
{
    return a.device == b.device && a.inode == b.inode && a.modified == b.modified &&
           a.changed == b.changed;
}
#endif

QList<Entry> list(const QString &dir, bool *hasLinks)
{
    QList<Entry> entries;
    *hasLinks = false;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo fi = it.nextFileInfo();
        *hasLinks = *hasLinks || fi.isSymLink();
        entries.append({fi.fileName(), fi.isFile()});
    }
    // In a set order, so that of two names differing only in case the same one is found each
    // time, whatever order the file system lists them in.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int r = a.name.compare(b.name, Qt::CaseInsensitive);
        return r != 0 ? r < 0 : a.name < b.name;
    });
    return entries;
}

// With isFolder, whether dir is a folder at all, which an empty listing does not tell.
QList<Entry> entriesOf(const QString &dir, bool *isFolder = nullptr)
{
#ifdef Q_OS_UNIX
    static QMutex mutex;
    static QHash<QString, Listing> kept;
    Listing now;
    const bool folder = stampOf(dir, &now);
    if (isFolder)
        *isFolder = folder;
    if (!folder)
        return {};
    {
        const QMutexLocker lock(&mutex);
        const auto it = kept.constFind(dir);
        if (it != kept.constEnd() && sameStamp(*it, now))
            return it->entries;
    }
    const qint64 listedAt = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    bool hasLinks = false;
    now.entries = list(dir, &hasLinks);
    Listing after;
    const QMutexLocker lock(&mutex);
    kept.remove(dir);
    if (!hasLinks && stampOf(dir, &after) && sameStamp(after, now) &&
        listedAt - now.changed > quiet && listedAt - now.modified > quiet) {
        if (kept.size() >= mostKept)
            kept.clear();
        kept.insert(dir, now);
    }
    return now.entries;
#else
    if (isFolder)
        *isFolder = QFileInfo(dir).isDir();
    bool hasLinks = false;
    return list(dir, &hasLinks);
#endif
}

// The entry of the folder that has the name in another case, if any.
QString matchInListing(const QString &dir, QStringView name, bool *isFolder = nullptr)
{
    for (const Entry &entry : entriesOf(dir, isFolder)) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.name;
    }
    return QString();
}

QString matchComponent(const QString &dir, const QString &name)
{
    const QString exact = dir + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return name;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return matchInListing(dir, name);
}

// Whether cleanPath() would leave the path as it is: it allocates even then.
bool isClean(QStringView path)
{
    return !path.contains(QLatin1String("//")) && !path.contains(QLatin1String("/./")) &&
           !path.startsWith(QLatin1String("./")) && !path.endsWith(u'/') &&
           !path.endsWith(QLatin1String("/."));
}

// With kind, one look that also tells what is there.
bool exists(const QString &hostPath, Paths::Kind *kind)
{
#ifdef Q_OS_UNIX
    const NativeName native(hostPath);
    if (!kind)
        return ::access(native.c_str(), F_OK) == 0;
    struct stat st;
    if (::stat(native.c_str(), &st) != 0) {
        *kind = Paths::Kind::Missing;
        return false;
    }
    *kind = S_ISREG(st.st_mode)   ? Paths::Kind::File
            : S_ISDIR(st.st_mode) ? Paths::Kind::Folder
                                  : Paths::Kind::Other;
    return true;
#else
    const QFileInfo fi(hostPath);
    if (kind)
        *kind = !fi.exists()   ? Paths::Kind::Missing
                : fi.isFile()  ? Paths::Kind::File
                : fi.isDir()   ? Paths::Kind::Folder
                               : Paths::Kind::Other;
    return fi.exists();
#endif
}

} // namespace

QString Paths::toHost(QStringView windowsPath) const
{
    return resolve(windowsPath, nullptr);
}

Paths::Kind Paths::kindOf(QStringView windowsPath) const
{
    Kind kind = Kind::Missing;
    const QString hostPath = resolve(windowsPath, &kind);
    if (kind == Kind::Missing && !hostPath.isEmpty())
        exists(hostPath, &kind);
    return kind;
}

QString Paths::resolve(QStringView windowsPath, Kind *kind) const
{
    if (windowsPath.isEmpty())
        return QString();
    const auto isSeparator = [](QChar c) { return c == u'\\' || c == u'/'; };
    QStringView rest = windowsPath;
    QString root;
    if (rest.size() >= 2 && rest[1] == u':' && rest[0].isLetter()) {
        // Only drive C exists for this program; other letters live beside it.
        root = rest[0].toUpper() == u'C' ? m_driveC
                                          : m_driveC + QStringLiteral("/drive_") + rest[0].toLower();
        rest = rest.sliced(2);
    } else if (isSeparator(rest[0])) {
        root = QStringLiteral("/");
    } else {
        root = QDir::currentPath();
    }

    // Fast path: the path exists as written (and does not climb out of its drive). Built in one
    // piece, as every settings and language lookup comes through here.
    if (!rest.contains(QLatin1String(".."))) {
        QString direct;
        direct.reserve(root.size() + 1 + rest.size());
        direct += root;
        direct += u'/';
        for (const QChar c : rest)
            direct += isSeparator(c) ? QChar(u'/') : c;
        if (!isClean(direct))
            direct = QDir::cleanPath(direct);
        if (exists(direct, kind))
            return direct;
        // Most often the folder exists as written and only the file is missing or differs in
        // case: then only the folder's listing is left to look at.
        const qsizetype slash = direct.lastIndexOf(u'/');
        if (slash > 0 && slash >= root.size() && slash + 1 < direct.size()) {
            const QString folder = direct.first(slash);
            bool isFolder = false;
            const QString found =
                matchInListing(folder, QStringView(direct).sliced(slash + 1), &isFolder);
            if (isFolder)
                return found.isEmpty() ? direct : folder + QLatin1Char('/') + found;
        }
    }

    QString path = rest.toString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
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
    return !path.isEmpty() && paths.kindOf(path) == Paths::Kind::Folder;
}

bool EsisteFile(const Paths &paths, const QString &path)
{
    return !path.isEmpty() && paths.kindOf(path) == Paths::Kind::File;
}

QStringList FileNellaCartella(const QString &hostDir, const QString &suffix)
{
    QStringList names;
    for (const Entry &entry : entriesOf(hostDir)) {
        if (entry.file && entry.name.endsWith(suffix, Qt::CaseInsensitive))
            names.append(entry.name);
    }
    return names;
}
