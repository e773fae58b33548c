#include "FuzzSupport.h"

#include "platform/RecordFile.h"

namespace {

using fuzz::check;

bool hasLineEnd(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// What the formatter writes for a value must read back as that value.
void checkTextRoundTrip(const QString &value)
{
    RecordReader reader(CodePage::encode(RecordFormat::text(value) + QStringLiteral("\r\nx")));
    QString back;
    check(reader.readText(&back) && back == value);
    check(reader.readText(&back) && back == QStringLiteral("x"));
    check(reader.atEnd());
}

void checkNumberRoundTrip(qint64 value)
{
    RecordReader reader(CodePage::encode(RecordFormat::number(value) + QStringLiteral("\r\n")));
    qint64 back = 0;
    check(reader.readInteger(&back) && back == value);
    check(reader.atEnd());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    RecordReader reader(bytes);

    // Every successful read consumes at least one byte, except the one empty field after a
    // comma that ends the input; a failed number consumes its field. So this bounds the loop.
    const size_t limit = 2 * size + 2;
    size_t calls = 0;
    while (!reader.atEnd()) {
        check(++calls <= limit);
        // The input itself chooses the mix of reads.
        const int op = size ? data[calls % size] % 3 : 0;
        QString text;
        if (op == 0) {
            check(reader.readText(&text));
            check(!hasLineEnd(text));
            checkTextRoundTrip(text);
        } else if (op == 1) {
            qint64 value = 0;
            if (reader.readInteger(&value))
                checkNumberRoundTrip(value);
        } else {
            check(reader.readLine(&text));
            check(!hasLineEnd(text));
            check(RecordFormat::line(text) == text);
        }
    }
    QString text;
    qint64 value = 0;
    check(!reader.readText(&text) && !reader.readInteger(&value) && !reader.readLine(&text));
    return 0;
}
