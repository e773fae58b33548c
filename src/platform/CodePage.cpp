#include "platform/CodePage.h"

#include <QFile>
#include <QStringDecoder>
#include <QtGlobal>

#include <array>

namespace CodePage {

namespace {

constexpr const char *codecName = "windows-1252";

// The five bytes Windows-1252 leaves unassigned; Windows maps them to the C1 controls of the
// same value, and files written there may hold them.
bool isUnassigned(char32_t c)
{
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// The codec's character for each byte, asked once: opening the codec on every call cost more
// than the text it converted. Encoding is the same table backwards, so a character becomes a
// byte only when that byte decodes to it.
struct Table {
    std::array<char16_t, 256> toUnicode;
    std::array<qint16, 0x10000> fromUnicode;

    Table()
    {
        QStringDecoder decoder(codecName, QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            qWarning("No %s codec in this Qt build: text files are read and written as Latin-1",
                     codecName);
        fromUnicode.fill(-1);
        for (int b = 255; b >= 0; --b) {
            const char byte = char(b);
            const QString one = decoder.isValid() ? decoder.decode(QByteArrayView(&byte, 1))
                                                  : QString();
            toUnicode[b] = one.size() == 1 && !isUnassigned(char32_t(b)) ? one.at(0).unicode()
                                                                          : char16_t(b);
            fromUnicode[toUnicode[b]] = qint16(b);
        }
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

} // namespace

// The loops below walk pointers: a fuzzing build reports every integer comparison, a loop
// counter's included, on every byte of every file read.

QString decode(QByteArrayView bytes)
{
    const char16_t *toUnicode = table().toUnicode.data();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    for (const uchar *end = in + bytes.size(); in != end; ++in)
        *out++ = toUnicode[*in];
    return text;
}

QByteArray encode(QStringView text)
{
    const qint16 *fromUnicode = table().fromUnicode.data();
    // One byte per unit at most: a pair of surrogates becomes one '?'.
    QByteArray out(text.size(), Qt::Uninitialized);
    char *o = out.data();
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p != end) {
        const char16_t c = *p++;
        if (QChar::isHighSurrogate(c) && p != end && QChar::isLowSurrogate(*p)) {
            ++p;
            *o++ = '?';
            continue;
        }
        const qint16 b = fromUnicode[c];
        *o++ = b >= 0 ? char(b) : '?';
    }
    out.truncate(o - out.constData());
    return out;
}

QString decodeText(QByteArrayView bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        // Only the one mark: fromUtf8() would drop a second, which the editor of INI files sees
        // as text, so a header behind it would be found by one and not by the other.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        text = utf8.decode(bytes.sliced(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        // A last odd byte is half a character: dropped.
        text.resize((bytes.size() - 2) / 2);
        char16_t *out = reinterpret_cast<char16_t *>(text.data());
        const uchar *in = reinterpret_cast<const uchar *>(bytes.data()) + 2;
        for (char16_t *end = out + text.size(); out != end; ++out, in += 2)
            *out = char16_t(in[0] | in[1] << 8);
    } else {
        return decode(bytes);
    }
    return decode(encode(text));
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLineSpan(text, [&](qsizetype start, qsizetype end, qsizetype) {
        lines.append(text.sliced(start, end - start).toString());
    });
    return lines;
}

} // namespace CodePage
