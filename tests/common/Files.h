#pragma once

// Laying down files for a test and reading them back.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

// Writes bytes to a path, creating its folder; false unless every byte was written.
inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A file's bytes. A missing or unreadable file reads as a marker no real contents match, so a
// comparison with what was expected fails instead of passing on two empty arrays.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry of a folder with its contents, to see that nothing appeared, vanished or changed.
inline QMap<QString, QByteArray> folderSnapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
        entries.insert(info.fileName(), info.isDir() ? "<folder>" : fileBytes(info.filePath()));
    return entries;
}
