#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <memory>

#include "platform/StoredFile.h"

// INI files with the semantics of the Windows private-profile functions (QSettings differs):
// case-insensitive sections and keys, the first match wins, blanks and tabs around keys and
// values trimmed, one pair of enclosing quotes removed, ';' comment lines, keys before any
// section unreachable, a section line without its ']' naming the section to the line's end.
// Files are Windows-1252, or the text CodePage::decodeText() finds behind a byte-order mark; an
// edit keeps the file's mark and encoding.
namespace PrivateProfile {

// A parsed file, for callers that look up many keys in one file.
class Document
{
public:
    Document();
    ~Document();
    Document(Document &&) noexcept;
    Document &operator=(Document &&) noexcept;
    // Cheap: the parsed text and tables are shared until one side is parsed anew.
    Document(const Document &other);
    Document &operator=(const Document &other);

    static Document parse(const QByteArray &bytes);

    // The value, or def when the section or key is missing; cut to bufferSize - 1 characters
    // and at a NUL. As in Windows, trailing blanks of def are dropped.
    QString value(QStringView section, QStringView key, const QString &def = QString(),
                  int bufferSize = 512) const;
    bool contains(QStringView section, QStringView key) const;
    // True when the section is there with at least one key.
    bool containsSection(QStringView section) const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

// Far beyond any settings or language file: a larger one, like anything that is not a regular
// file, is neither read nor rewritten.
inline constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// Missing file, section or key: def.
QString read(const QString &path, QStringView section, QStringView key,
             const QString &def = QString(), int bufferSize = 512);

// Creates the file, appends the section at the end or the key at the end of its section, or
// replaces the value in place; every other byte of the file stays as it was. The file is
// replaced only once the new content is fully written. False on failure.
bool write(const QString &path, QStringView section, QStringView key, const QString &value);
// As above, and on success what the file then holds, for a caller that keeps files it read.
bool write(const QString &path, QStringView section, QStringView key, const QString &value,
           QByteArray *content, StoredFile::Stamp *stamp);

// The same edit on bytes in memory (what write() stores). An edit that isWritable() refuses
// gives the bytes back unchanged.
QByteArray edit(const QByteArray &bytes, QStringView section, QStringView key,
                const QString &value);

// False for what would not read back as written or would break the file's lines: an empty
// section or key, a line break in any of the three, NUL or ']' in the section, NUL or '=' in
// the key, a key starting with ';' or '['. Blanks around section and key are ignored; a value
// is stored up to its first NUL, as Windows does.
bool isWritable(QStringView section, QStringView key, const QString &value);

} // namespace PrivateProfile
