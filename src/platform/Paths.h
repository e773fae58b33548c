#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The program names files the Windows way ("C:\ImpostazioniProgrammiQuorla\Vorbello\",
// program folder + "\swf\vorbe1.swf"). This maps such names to host paths: drive C is the
// user's data folder off Windows, backslashes become separators, and each component is matched
// case-insensitively against what exists, as Windows names are.
class Paths
{
public:
    Paths(const QString &driveC, const QString &programFolder);

    // Drive C = the user's generic data folder; the program folder = the executable's folder
    // when it holds the data, else the installed data folder.
    static Paths forHost();
    // The executable's folder when it holds the data, else "share/vorbello" beside the folder
    // the executable is in, else the given installed data folder.
    static QString programFolderFor(const QString &executableDir, const QString &installedDataDir);

    // Host path of the program folder, without a trailing separator. Callers append
    // "\lgnvorbello\…" to it and pass the whole through toHost().
    QString programFolder() const { return m_programFolder; }
    QString driveC() const { return m_driveC; }

    // Existing components resolve to the entry that exists, whatever its case (an exact match
    // wins over a case-insensitive one); the first missing component and those after it are kept
    // as written. Empty components ("a\\b") collapse. An empty path stays empty.
    QString toHost(QStringView windowsPath) const;

    enum class Kind { Missing, File, Folder, Other };
    // What is at a path named the Windows way, through links; one look when the name exists as
    // written.
    Kind kindOf(QStringView windowsPath) const;

private:
    QString resolve(QStringView windowsPath, Kind *kind) const;

    QString m_driveC;
    QString m_programFolder;
};

// Whether a path named the Windows way is an existing folder, or a regular file; an empty path
// is neither.
bool EsisteCartella(const Paths &paths, const QString &path);
bool EsisteFile(const Paths &paths, const QString &path);

// The regular files (or links to one) in a host folder whose names end with the suffix, whatever
// its case, sorted by name ignoring case; none when the folder is missing.
QStringList FileNellaCartella(const QString &hostDir, const QString &suffix);
