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

} // namespace CodePage
