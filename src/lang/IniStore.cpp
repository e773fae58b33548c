#include "lang/IniStore.h"

#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/StoredFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Size and modification time of a regular file, cheaply: this runs on every lookup.
bool stampOf(const IniStore::Entry &e, qint64 *size, qint64 *modified)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(e.nativePath.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *size = st.st_size;
    *modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
#else
    const QFileInfo fi(e.hostPath);
    if (!fi.isFile())
        return false;
    *size = fi.size();
    *modified = fi.lastModified(QTimeZone::UTC).toMSecsSinceEpoch() * 1000000;
    return true;
#endif
}

} // namespace

IniStore::IniStore(const Paths &paths) : m_paths(paths)
{
}

void IniStore::setCaching(bool on)
{
    m_caching = on;
    m_cache.clear();
}

std::shared_ptr<const IniStore::Entry> IniStore::load(const QString &file)
{
    if (m_caching) {
        auto it = m_cache.constFind(file);
        if (it != m_cache.constEnd()) {
            const std::shared_ptr<const Entry> &e = *it;
            qint64 size = 0, modified = 0;
            if (stampOf(*e, &size, &modified) && size == e->size &&
                modified == e->modified)
                return e;
        }
        m_cache.remove(file);
    }
    const QString hostPath = m_paths.toHost(file);
    // Stamp and content from one opening: a file replaced in between cannot pair the old stamp
    // with the new content.
    QByteArray bytes;
    StoredFile::Stamp stamp;
    const bool read = StoredFile::read(hostPath, m_limiteInMemoria, &bytes, &stamp);
    if (!read && stamp.size <= m_limiteInMemoria)
        return nullptr;
    auto e = entry(hostPath, read ? &bytes : nullptr, stamp);
    if (m_caching && !e->onDisk)
        m_cache.insert(file, e);
    return e;
}

std::shared_ptr<const IniStore::Entry> IniStore::entry(const QString &hostPath,
                                                       const QByteArray *bytes,
                                                       const StoredFile::Stamp &stamp) const
{
    auto e = std::make_shared<Entry>();
    e->hostPath = hostPath;
    e->nativePath = QFile::encodeName(hostPath);
    e->size = stamp.size;
    e->modified = stamp.modified;
    e->large = e->size > m_limiteFilePiccolo;
    if (!bytes) {
        e->onDisk = true;
        return e;
    }
    // Changed while we read it: judge the content by what was read, not by the older stamp.
    if (bytes->size() != e->size)
        e->modified = -1;
    // Large or not by the text, as a file behind a byte-order mark holds fewer characters than
    // bytes.
    e->large = false;
    if (bytes->size() > m_limiteFilePiccolo) {
        const QString text = CodePage::decodeText(*bytes);
        e->large = text.size() > m_limiteFilePiccolo;
        if (e->large)
            e->lines = CodePage::splitLines(text);
    }
    if (!e->large)
        e->doc = PrivateProfile::Document::parse(*bytes);
    return e;
}

namespace {

// The large-file rule on one line: the value after the key's character and without its ends.
std::optional<QString> valoreGrande(QStringView line, const QString &key)
{
    if (!line.startsWith(key, Qt::CaseSensitive))
        return std::nullopt;
    const QStringView rest = line.mid(key.size() + 1);
    return rest.size() >= 2 ? rest.mid(1, rest.size() - 2).toString() : QString();
}

} // namespace

std::optional<QString> IniStore::lookup(const Entry &e, const QString &section, const QString &key)
{
    if (!e.large) {
        if (!e.doc.contains(section, key))
            return std::nullopt;
        return e.doc.value(section, key, QString(), 512);
    }
    // Large files: the first line that begins with the key, whatever its section; the character
    // after the key is skipped and the value loses its first and last characters (its quotes).
    if (!e.onDisk) {
        for (const QString &line : e.lines) {
            if (auto v = valoreGrande(line, key))
                return v;
        }
        return std::nullopt;
    }
    QFile f(e.hostPath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Compared as bytes, so that only the line that matches is decoded.
    const QByteArray wanted = CodePage::encode(key);
    // One buffer for all lines, as readLine(max) allocates max for each; lines are cut at a
    // megabyte as before, and none is longer than the file.
    QByteArray buffer(qsizetype(qMin<qint64>(f.size() + 1, 1 << 20)), Qt::Uninitialized);
    while (!f.atEnd()) {
        const qint64 n = f.readLine(buffer.data(), buffer.size());
        if (n < 0)
            break;
        QByteArray raw = QByteArray::fromRawData(buffer.constData(), qsizetype(n));
        if (!raw.contains(wanted))
            continue;
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        // A lone CR also ends a line.
        for (const QByteArray &part : raw.split('\r')) {
            if (part.startsWith(wanted))
                return valoreGrande(CodePage::decode(part), key);
        }
    }
    return std::nullopt;
}

std::optional<QString> IniStore::LeggiIni(const QString &file, const QString &section,
                                          const QString &key)
{
    const auto e = load(file);
    if (!e)
        return std::nullopt;
    return lookup(*e, section, key).value_or(QString());
}

IniStore::Lettore IniStore::lettore(const QString &file)
{
    Lettore l;
    l.m_entry = load(file);
    return l;
}

std::optional<QString> IniStore::Lettore::operator()(const QString &section,
                                                     const QString &key) const
{
    if (!m_entry)
        return std::nullopt;
    return lookup(*m_entry, section, key);
}

bool IniStore::Lettore::haSezione(const QString &section) const
{
    if (!m_entry)
        return false;
    if (!m_entry->large)
        return m_entry->doc.containsSection(section);
    return m_entry->onDisk || !m_entry->lines.isEmpty();
}

bool IniStore::ScriviIni(const QString &file, const QString &section, const QString &key,
                         const QString &value)
{
    const QString hostPath = m_paths.toHost(file);
    QByteArray content;
    StoredFile::Stamp stamp;
    const bool ok = PrivateProfile::write(hostPath, section, key, value, &content, &stamp);
    m_cache.remove(file);
    // What was written is what the next read would find, unless the file changes meanwhile,
    // which its stamp tells.
    if (ok && m_caching && content.size() <= m_limiteInMemoria)
        m_cache.insert(file, entry(hostPath, &content, stamp));
    return ok;
}
