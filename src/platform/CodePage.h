#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Stored text files are Windows-1252, one byte per character, lines ended by CR LF.
namespace CodePage {

// Every byte maps to one character; 0x81, 0x8D, 0x8F, 0x90, 0x9D come back as U+0081 … so
// that decode(encode(x)) and encode(decode(b)) round-trip.
QString decode(QByteArrayView bytes);
// A character Windows-1252 cannot hold becomes '?'.
QByteArray encode(QStringView text);

// Splits at CR LF, LF or CR; a final line end does not add an empty line.
QStringList splitLines(QStringView text);

// Reads a whole file; false (and *out untouched) when it cannot be opened or read.
bool readFile(const QString &path, QString *out);
// Writes each line followed by CR LF, replacing the file only once everything is written
// (a failure leaves the old file as it was). False on failure.
bool writeLines(const QString &path, const QStringList &lines);
// Replaces a file with these bytes once they are all written; on failure the old file stays.
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace CodePage
