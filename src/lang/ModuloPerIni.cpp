#include "lang/ModuloPerIni.h"

#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

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
            const QFileInfo fi(it->hostPath);
            if (fi.isFile() && fi.size() == it->size && fi.lastModified() == it->modified)
                return &*it;
            m_cache.erase(it);
        }
        e = &m_cache[file];
    } else {
        e = &m_uncached;
    }
    *e = Entry();
    e->hostPath = m_paths.toHost(file);
    const QFileInfo fi(e->hostPath);
    QFile f(e->hostPath);
    if (!fi.isFile() || !f.open(QIODevice::ReadOnly)) {
        if (m_caching)
            m_cache.remove(file);
        return nullptr;
    }
    e->size = fi.size();
    e->modified = fi.lastModified();
    const QByteArray bytes = f.readAll();
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

bool IniStore::ScriviIni(const QString &file, const QString &section, const QString &key,
                         const QString &value)
{
    const bool ok = PrivateProfile::write(m_paths.toHost(file), section, key, value);
    m_cache.remove(file);
    return ok;
}
