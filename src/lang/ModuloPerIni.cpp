#include "lang/ModuloPerIni.h"

#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Size and modification time of a regular file, cheaply: this runs on every lookup.
bool stampOf(const QString &path, qint64 *size, qint64 *modified)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *size = st.st_size;
    *modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
#else
    const QFileInfo fi(path);
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

const IniStore::Entry *IniStore::load(const QString &file)
{
    Entry *e = nullptr;
    if (m_caching) {
        auto it = m_cache.find(file);
        if (it != m_cache.end()) {
            qint64 size = 0, modified = 0;
            if (stampOf(it->hostPath, &size, &modified) && size == it->size &&
                modified == it->modified)
                return &*it;
            m_cache.erase(it);
        }
        e = &m_cache[file];
    } else {
        e = &m_uncached;
    }
    *e = Entry();
    e->hostPath = m_paths.toHost(file);
    QFile f(e->hostPath);
    if (!stampOf(e->hostPath, &e->size, &e->modified) || !f.open(QIODevice::ReadOnly)) {
        if (m_caching)
            m_cache.remove(file);
        return nullptr;
    }
    const QByteArray bytes = f.readAll();
    // Changed while we read it: judge the content by what was read, not by the older stamp.
    if (bytes.size() != e->size)
        e->modified = -1;
    e->large = bytes.size() > LimiteFilePiccolo;
    if (e->large)
        e->lines = CodePage::splitLines(CodePage::decode(bytes));
    else
        e->doc = PrivateProfile::Document::parse(bytes);
    return e;
}

std::optional<QString> IniStore::lookup(const Entry &e, const QString &section, const QString &key)
{
    if (!e.large)
        return e.doc.value(section, key, QString(), 512);
    // Large files: the first line that begins with the key, whatever its section; the character
    // after the key is skipped and the value loses its first and last characters (its quotes).
    for (const QString &line : e.lines) {
        if (line.startsWith(key, Qt::CaseSensitive)) {
            const QString rest = line.mid(key.size() + 1);
            return rest.size() >= 2 ? rest.mid(1, rest.size() - 2) : QString();
        }
    }
    return QString();
}

std::optional<QString> IniStore::LeggiIni(const QString &file, const QString &section,
                                          const QString &key)
{
    const Entry *e = load(file);
    if (!e)
        return std::nullopt;
    return lookup(*e, section, key);
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
    return lookup(*static_cast<const Entry *>(m_entry), section, key);
}

bool IniStore::ScriviIni(const QString &file, const QString &section, const QString &key,
                         const QString &value)
{
    const bool ok = PrivateProfile::write(m_paths.toHost(file), section, key, value);
    m_cache.remove(file);
    return ok;
}
