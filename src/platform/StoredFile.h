#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>

// Reading and replacing the files the program keeps: profiles, reports, settings, language
// files. A full disk, a killed program or a hostile file must never cost the user a file.
namespace StoredFile {

// The whole content of a regular file of at most maxBytes; false (and *out untouched) for a
// missing or unreadable file, anything that is not a regular file (a FIFO or device is never
// waited on nor read) and anything larger.
bool read(const QString &path, qint64 maxBytes, QByteArray *out);

// A regular file's size and modification time (nanoseconds) as it was opened.
struct Stamp {
    qint64 size = -1;
    qint64 modified = 0;
};
// As above, and the stamp of any regular file opened, so that a caller can tell a file too large
// (false, with a stamp larger than maxBytes) from a missing or unreadable one.
bool read(const QString &path, qint64 maxBytes, QByteArray *out, Stamp *stamp);

// Writes the bytes beside the file and puts them in its place only once every byte is known to
// be on disk; on any failure the old file is left exactly as it was and false is returned.
// A symbolic link is followed, so the link stays and its target is replaced.
bool replace(const QString &path, QByteArrayView bytes);
// As above, and the stamp of the file put in place.
bool replace(const QString &path, QByteArrayView bytes, Stamp *placed);

// Renames a file to a name nothing has yet, not even a link: Taken when something has it.
enum class Move { Done, Taken, Failed };
Move renameToNew(const QString &from, const QString &to);

// Removes the temporary files replace() left in `folder` beside targets ending in `targetEnding`
// (compared without case) when it was killed: regular files named exactly like one, and only
// those unchanged for at least `age`, so a save under way is not hit.
void removeLeftovers(const QString &folder, const QString &targetEnding,
                     std::chrono::seconds age);

// The suffix of the temporary files replace() writes beside their target.
inline constexpr int TemporarySuffixLength = 7; // ".XXXXXX"

} // namespace StoredFile
