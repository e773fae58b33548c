#include "FuzzSupport.h"

namespace {

using fuzz::check;

struct CodePoint {
    char32_t value;
    qsizetype size;
};

CodePoint codePointAt(const QString &text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode()))
        return {QChar::surrogateToUcs4(c, text[i + 1].unicode()), 2};
    return {c, 1};
}

// Every byte string survives decode and encode unchanged, one character per byte.
void checkBytes(const QByteArray &bytes)
{
    const QString text = CodePage::decode(bytes);
    check(text.size() == bytes.size());
    check(CodePage::encode(text) == bytes);
}

// Any text encodes to one byte per character; each comes back as itself or as '?'.
void checkText(const QString &text)
{
    const QByteArray bytes = CodePage::encode(text);
    const QString back = CodePage::decode(bytes);
    qsizetype j = 0;
    for (qsizetype i = 0; i < text.size(); ++j) {
        const CodePoint cp = codePointAt(text, i);
        check(j < back.size());
        check((cp.size == 1 && back[j].unicode() == cp.value) || back[j] == u'?');
        i += cp.size;
    }
    check(j == bytes.size());
    check(CodePage::encode(back) == bytes);
}

// Lines hold no line ends, and joining them gives the text back with normalised line ends.
void checkLines(const QString &text)
{
    const QStringList lines = CodePage::splitLines(text);
    check(lines.isEmpty() == text.isEmpty());
    for (const QString &line : lines)
        check(!line.contains(u'\r') && !line.contains(u'\n'));
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    if (normalised.endsWith(u'\n'))
        normalised.chop(1);
    check(lines.join(u'\n') == normalised);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    checkBytes(bytes);
    checkLines(CodePage::decode(bytes));

    QString utf16(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        utf16[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    checkText(utf16);
    checkLines(utf16);
    return 0;
}
