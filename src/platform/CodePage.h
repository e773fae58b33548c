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

// Calls f(start, end, next) for every line as splitLines() cuts them: end is where the line's
// end begins, next where the following line starts.
template <typename F> void forEachLineSpan(QStringView text, F &&f)
{
    const qsizetype n = text.size();
    // The next CR and the next LF, each searched for again only once passed: Qt's search is
    // vectorised, where a loop over every character dominated reading a large file.
    qsizetype cr = -1;
    qsizetype lf = -1;
    const auto nextOf = [&](char16_t c, qsizetype *at, qsizetype from) {
        if (*at < from) {
            *at = text.indexOf(QChar(c), from);
            if (*at < 0)
                *at = n;
        }
        return *at;
    };
    const char16_t *units = text.utf16();
    qsizetype start = 0;
    while (start < n) {
        const qsizetype end = qMin(nextOf(u'\r', &cr, start), nextOf(u'\n', &lf, start));
        qsizetype next = end;
        if (end < n)
            next += units[end] == u'\r' && end + 1 < n && units[end + 1] == u'\n' ? 2 : 1;
        f(start, end, next);
        start = next;
    }
}

} // namespace CodePage
