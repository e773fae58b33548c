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

struct CodePoint {
    char32_t value;
    qsizetype size; // UTF-16 units
};

// Lone surrogates count as one character each, as the encoder sees them.
// Plain units: checked builds call out for each QChar taken from a view.
CodePoint codePointAt(const char16_t *text, qsizetype size, qsizetype i)
{
    const char16_t c = text[i];
    if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text[i + 1]))
        return {QChar::surrogateToUcs4(c, text[i + 1]), 2};
    return {c, 1};
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

QString decode(QByteArrayView bytes)
{
    const char16_t *toUnicode = table().toUnicode.data();
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toUnicode[in[i]];
    return text;
}

QByteArray encode(QStringView text)
{
    const Table &t = table();
    QByteArray out;
    out.reserve(text.size());
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint cp = codePointAt(units, text.size(), i);
        const qint16 b = cp.size == 1 ? t.fromUnicode[cp.value] : -1;
        out.append(b >= 0 ? char(b) : '?');
        i += cp.size;
    }
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
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(quint8(bytes[2 + 2 * i]) | quint8(bytes[3 + 2 * i]) << 8));
    } else {
        return decode(bytes);
    }
    return decode(encode(text));
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    // Plain units: checked builds call out for each QChar comparison, on every character.
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && units[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
    return lines;
}

} // namespace CodePage
