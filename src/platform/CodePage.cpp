#include "platform/CodePage.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>

namespace CodePage {

namespace {

constexpr const char *codecName = "windows-1252";

// The five bytes Windows-1252 leaves unassigned; Windows maps them to the C1 controls of the
// same value, and files written there may hold them.
bool isUnassigned(char32_t c)
{
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

void warnMissingCodec()
{
    static bool warned = false;
    if (!warned) {
        warned = true;
        qWarning("No %s codec in this Qt build: text files are read and written as Latin-1",
                 codecName);
    }
}

struct CodePoint {
    char32_t value;
    qsizetype size; // UTF-16 units
};

// Lone surrogates count as one character each, as the encoder sees them.
CodePoint codePointAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode()))
        return {QChar::surrogateToUcs4(c, text[i + 1].unicode()), 2};
    return {c, 1};
}

QByteArray encodeLatin1(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint cp = codePointAt(text, i);
        out.append(cp.value <= 0xFF ? char(cp.value) : '?');
        i += cp.size;
    }
    return out;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(codecName, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        warnMissingCodec();
        return QString::fromLatin1(bytes);
    }
    QString text = decoder.decode(bytes);
    if (text.size() != bytes.size()) {
        // One character per byte is what every caller counts on; decode byte by byte.
        text.clear();
        text.reserve(bytes.size());
        for (const char b : bytes) {
            const QString one = decoder.decode(QByteArrayView(&b, 1));
            text.append(one.size() == 1 ? one.at(0) : QChar(uchar(b)));
        }
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (isUnassigned(uchar(bytes[i])))
            text[i] = QChar(uchar(bytes[i]));
    }
    return text;
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder(codecName, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) {
        warnMissingCodec();
        return encodeLatin1(text);
    }
    QByteArray out = encoder.encode(text);

    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); i += codePointAt(text, i).size)
        ++count;
    if (out.size() != count) {
        // Not one byte per character: encode each character on its own to keep them aligned.
        out.clear();
        out.reserve(count);
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = codePointAt(text, i).size;
            const QByteArray one = encoder.encode(text.sliced(i, n));
            out.append(one.size() == 1 ? one.at(0) : '?');
            i += n;
        }
    }

    // The codec marks what it cannot hold with its own substitute byte (0x1A in ICU), or maps
    // it to a look-alike; anything that does not decode back to itself becomes '?'.
    const QString back = decode(out);
    qsizetype j = 0;
    for (qsizetype i = 0; i < text.size(); ++j) {
        const CodePoint cp = codePointAt(text, i);
        if (isUnassigned(cp.value))
            out[j] = char(cp.value);
        else if (cp.size != 1 || back[j].unicode() != cp.value)
            out[j] = '?';
        i += cp.size;
    }
    return out;
}

QString decodeText(QByteArrayView bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.sliced(3));
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
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
    return lines;
}

} // namespace CodePage
