#include "platform/StoredFile.h"

#include "platform/NativeName.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StoredFile {

namespace {

template<typename Call>
auto again(Call call)
{
    decltype(call()) r;
    do {
        r = call();
    } while (r == -1 && errno == EINTR);
    return r;
}

// Created as a new file only (never one that is there already), with the permissions a new
// file gets under the user's umask, as the target itself would have been.
int createBeside(const QByteArray &target, QByteArray *name)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = target + '.';
        for (int i = 1; i < TemporarySuffixLength; ++i)
            candidate += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        const int fd = again([&] {
            return ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        });
        if (fd >= 0) {
            *name = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = again([&] { return ::write(fd, p, size_t(left)); });
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

bool read(const QString &path, qint64 maxBytes, QByteArray *out)
{
    return read(path, maxBytes, out, nullptr);
}

bool read(const QString &path, qint64 maxBytes, QByteArray *out, Stamp *stamp)
{
    const NativeName native(path);
    const int fd = again([&] { return ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (stamp)
        *stamp = {st.st_size, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
    if (st.st_size > maxBytes)
        return false;
    // The file may grow while it is read: read one byte past the limit to notice.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes)
                return false;
            bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, qint64(got) * 2 + 4096)));
        }
        const ssize_t n = again([&] { return ::read(fd, bytes.data() + got, size_t(bytes.size() - got)); });
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += n;
        // Short of what was asked: a regular file's end, which a further read would only confirm.
        if (got < bytes.size())
            break;
    }
    if (got > maxBytes)
        return false;
    bytes.truncate(got);
    *out = bytes;
    return true;
}

bool replace(const QString &path, QByteArrayView bytes)
{
    return replace(path, bytes, nullptr);
}

bool replace(const QString &path, QByteArrayView bytes, Stamp *placed)
{
    // Taken as it is when it is plainly absolute and clean, as the mapped paths saved are.
    const bool plain = path.startsWith(u'/') && !path.contains(QLatin1String("/.")) &&
                       !path.contains(QLatin1String("//")) && !path.endsWith(u'/');
    QString absolute = plain ? path : QFileInfo(path).absoluteFilePath();
    QByteArray target = QFile::encodeName(absolute);
    // One look at the name tells a link, a folder and the mode to keep: a save is frequent.
    struct stat old;
    bool existed = ::lstat(target.constData(), &old) == 0;
    if (existed && S_ISLNK(old.st_mode)) {
        existed = ::stat(target.constData(), &old) == 0;
        if (existed) {
            absolute = QFileInfo(absolute).canonicalFilePath();
            target = QFile::encodeName(absolute);
        }
    }
    if (existed && S_ISDIR(old.st_mode))
        return false;

    QByteArray temporary;
    const int fd = createBeside(target, &temporary);
    if (fd < 0)
        return false;
    bool renamed = false;
    const auto cleanUp = qScopeGuard([&] {
        if (!renamed)
            ::unlink(temporary.constData());
    });

    // A short write, a failed flush or a file that came out shorter (a full disk, a quota, a
    // file-size limit) all keep the old file.
    // The old file's mode is kept, and flushed with the content; most often the new file was
    // created with it already.
    struct stat written;
    bool ok = writeAll(fd, bytes) && ::fstat(fd, &written) == 0 &&
              written.st_size == bytes.size() &&
              (!existed || (written.st_mode & 07777) == (old.st_mode & 07777) ||
               ::fchmod(fd, old.st_mode & 07777) == 0) &&
              ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temporary.constData(), target.constData()) != 0)
        return false;
    renamed = true;
    // A rename keeps the modification time, so this is the stamp of the file now in place.
    if (placed)
        *placed = {written.st_size,
                   qint64(written.st_mtim.tv_sec) * 1'000'000'000 + written.st_mtim.tv_nsec};
    // The new name must reach the disk too, or a power cut could bring back the old file.
    const qsizetype slash = absolute.lastIndexOf(u'/');
    const QStringView folder = slash > 0 ? QStringView(absolute).first(slash) : QStringView(u"/");
    const int dir = ::open(NativeName(folder).c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

Move renameToNew(const QString &from, const QString &to)
{
#ifdef Q_OS_LINUX
    // One call that cannot take a name another file got in between.
    if (::renameat2(AT_FDCWD, NativeName(from).c_str(), AT_FDCWD, NativeName(to).c_str(),
                    RENAME_NOREPLACE) == 0)
        return Move::Done;
    if (errno == EEXIST)
        return Move::Taken;
    // A file system without the flag: looked at first, then renamed.
    if (errno != EINVAL && errno != ENOSYS)
        return Move::Failed;
#endif
    const QFileInfo info(to);
    if (info.exists() || info.isSymLink())
        return Move::Taken;
    return QFile::rename(from, to) ? Move::Done : Move::Failed;
}

void removeLeftovers(const QString &folder, const QString &targetEnding, std::chrono::seconds age)
{
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    const qsizetype suffix = TemporarySuffixLength - 1;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString name = info.fileName();
        const qsizetype dot = name.size() - suffix - 1;
        if (dot <= targetEnding.size() || name[dot] != QLatin1Char('.') ||
            !QStringView(name).left(dot).endsWith(targetEnding, Qt::CaseInsensitive))
            continue;
        bool letters = true;
        for (const QChar c : QStringView(name).mid(dot + 1))
            letters = letters && c.unicode() < 0x80 && c.isLetterOrNumber();
        if (!letters || info.isSymLink() || info.lastModified().toUTC() > before)
            continue;
        ::unlink(QFile::encodeName(info.absoluteFilePath()).constData());
    }
}

} // namespace StoredFile
