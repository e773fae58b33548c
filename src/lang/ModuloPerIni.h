#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
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

private:
    struct Entry
    {
        QString hostPath;
        qint64 size = -1;
        QDateTime modified;
        bool large = false;
        PrivateProfile::Document doc; // files up to the limit
        QStringList lines;            // larger files
    };
    const Entry *load(const QString &file);
    static std::optional<QString> lookup(const Entry &e, const QString &section,
                                         const QString &key);

    const Paths &m_paths;
    bool m_caching = true;
    QHash<QString, Entry> m_cache;
    Entry m_uncached;
};
