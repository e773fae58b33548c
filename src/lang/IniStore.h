#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/PrivateProfile.h"

class Paths;

// Reads and writes INI-style files named the Windows way. Parsed files are kept in memory and
// re-read when their size or modification time changes, so results equal fresh reads.
class IniStore
{
public:
    // Above this size a file is searched line by line, ignoring sections.
    static constexpr qint64 LimiteFilePiccolo = 64000;
    // Above this size a file is not held in memory but searched on disk at each lookup.
    static constexpr qint64 LimiteInMemoria = 8 * 1024 * 1024;
    // Tests lower the limit so that the on-disk search can be tried on a small file.
    void setLimiteInMemoria(qint64 bytes) { m_limiteInMemoria = bytes; }
    // Likewise, so that a file past the small-file limit need not be 64 kB.
    void setLimiteFilePiccolo(qint64 chars)
    {
        m_limiteFilePiccolo = chars;
        m_cache.clear();
    }

    explicit IniStore(const Paths &paths);

    // The value, or an empty string for a missing section or key; nullopt when the file is
    // missing or unreadable (callers decide what that means).
    std::optional<QString> LeggiIni(const QString &file, const QString &section,
                                    const QString &key);
    // True on success.
    bool ScriviIni(const QString &file, const QString &section, const QString &key,
                   const QString &value);

    // Off: every read goes to the disk, as the reference for the cached path.
    void setCaching(bool on);
    bool caching() const { return m_caching; }

    struct Entry;
    // Many keys of one file: the file is checked once, when the reader is made; the reader keeps
    // what it read even if the store reads the file again meanwhile. Unlike LeggiIni, a missing
    // section or key gives nullopt, so callers can tell it from an empty value.
    class Lettore
    {
    public:
        std::optional<QString> operator()(const QString &section, const QString &key) const;
        bool valid() const { return m_entry != nullptr; }
        // True when the section has keys; a large file, searched without sections, when it has
        // any line.
        bool haSezione(const QString &section) const;

    private:
        friend class IniStore;
        std::shared_ptr<const Entry> m_entry;
    };
    Lettore lettore(const QString &file);

    struct Entry
    {
        QString hostPath;
        QByteArray nativePath; // made once, as every lookup checks the stamp
        qint64 size = -1;
        qint64 modified = 0; // nanoseconds
        bool large = false;
        bool onDisk = false;          // too large to hold: searched in the file itself
        PrivateProfile::Document doc; // files up to the small-file limit
        QStringList lines;            // larger files
    };

private:
    std::shared_ptr<const Entry> load(const QString &file);
    // Without bytes: a file too large to hold, searched on disk.
    std::shared_ptr<const Entry> entry(const QString &hostPath, const QByteArray *bytes,
                                       const StoredFile::Stamp &stamp) const;
    static std::optional<QString> lookup(const Entry &e, const QString &section,
                                         const QString &key);

    const Paths &m_paths;
    bool m_caching = true;
    qint64 m_limiteInMemoria = LimiteInMemoria;
    qint64 m_limiteFilePiccolo = LimiteFilePiccolo;
    QHash<QString, std::shared_ptr<const Entry>> m_cache;
};
