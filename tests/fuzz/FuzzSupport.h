#pragma once

#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A freed block need only outlive the input that freed it: no input allocates as much as 400 KB,
// so 16 MB still holds dozens of inputs' blocks, where the default 256 MB made every input touch
// memory gone cold. Qt's libraries keep no frame pointers, so an allocation stack deeper
// than its caller runs into garbage, and each garbage stack is kept as a new one: a long run
// slowed to a tenth of its speed and passed a gigabyte. A finding is replayed with the defaults
// for its full report.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16:malloc_context_size=2";
}

namespace fuzz {

// abort() rather than an exception or a message, so libFuzzer keeps the input.
inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// One scratch folder for the whole process: a folder per input would cost more than the input.
class Scratch
{
public:
    Scratch() { check(dir.isValid()); }
    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString folder(const QString &relative) const
    {
        check(QDir().mkpath(path(relative)));
        return path(relative);
    }
    // Rewritten in place, and stamped a time of its own: rewrites within one tick of the file
    // system's clock would otherwise look unchanged to a reader that caches by stamp. Written
    // with plain system calls, as Qt's file layer cost more than a small input's whole run.
    // Gives the modification time stamped, in nanoseconds.
    qint64 write(const QString &relative, QByteArrayView content)
    {
        return writeNative(QFile::encodeName(path(relative)), content);
    }
    // The same, for a target that writes one file on every input and keeps its name encoded.
    qint64 writeNative(const QByteArray &file, QByteArrayView content)
    {
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(fd >= 0);
        for (qsizetype done = 0; done < content.size();) {
            const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
            check(n > 0);
            done += n;
        }
        const qint64 ms = stamp + ++writes;
        const timespec times[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
        check(::futimens(fd, times) == 0 && ::close(fd) == 0);
        return ms * 1000000;
    }

    // What a file holds, when it holds at most `most` bytes and can be read.
    static std::optional<QByteArray> readNative(const QByteArray &file, qsizetype most)
    {
        const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        QByteArray content(most + 1, Qt::Uninitialized);
        qsizetype done = 0;
        ssize_t n = 1;
        while (n > 0 && done < content.size()) {
            n = ::read(fd, content.data() + done, size_t(content.size() - done));
            done += qMax<ssize_t>(n, 0);
        }
        ::close(fd);
        if (n < 0 || done > most)
            return std::nullopt;
        content.truncate(done);
        return content;
    }

private:
    // Later than any real write, which may come between two of ours.
    const qint64 stamp = QDateTime::currentMSecsSinceEpoch() + 24 * 3600 * 1000;
    qint64 writes = 0;
    // In memory where there is such a file system: a save's fsync costs nothing there.
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/vorbello-fuzz-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/vorbello-fuzz-XXXXXX")};
};

// Drive C and a program folder with its language folder, which every target reading language
// files or the user's files needs.
struct Install {
    Scratch scratch;
    Paths paths{scratch.folder("C"), scratch.folder("programma")};
    Install() { scratch.folder("programma/lgnvorbello"); }
};

inline QString trimBlanks(QStringView s)
{
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t'))
        s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
    return s.toString();
}

struct Names {
    std::vector<QString> sections;
    std::vector<QString> keys;
};

// A few section and key names from the start of the text, so lookups hit as often as they miss.
// Only the lines looked at are cut out: splitting a whole file cost more than the lookups.
inline Names namesIn(const QString &text, size_t most = 4)
{
    Names names;
    int lines = 0;
    CodePage::forEachLineSpan(QStringView(text).left(4096), [&](qsizetype start, qsizetype end,
                                                                 qsizetype) {
        if (++lines > 64)
            return;
        const QString line = trimBlanks(QStringView(text).sliced(start, end - start));
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close > 0 && names.sections.size() < most)
                names.sections.push_back(line.mid(1, close - 1));
        } else {
            const qsizetype eq = line.indexOf(u'=');
            if (eq >= 0 && names.keys.size() < most)
                names.keys.push_back(line.left(eq));
        }
    });
    return names;
}

} // namespace fuzz
