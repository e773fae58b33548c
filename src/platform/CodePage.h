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

// A file an editor saved with a byte-order mark, as UTF-8 or as UTF-16 LE (the "Unicode" of
// Windows editors), holds that text: decoded as such, each character Windows-1252 lacks as '?'
// so that it reads as if saved in the code page. Anything else is decode(bytes).
QString decodeText(QByteArrayView bytes);

// Splits at CR LF, LF or CR; a final line end does not add an empty line.
QStringList splitLines(QStringView text);

} // namespace CodePage
