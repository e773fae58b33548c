#include "QtWarnings.h"
#include "platform/CodePage.h"
#include "platform/RecordFile.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr auto fail = "<false>";

// Runs the reads named by ops ('t' text, 'i' integer, 'l' line) until the end of the input or,
// for an empty ops, every text field; one result each.
QStringList runReads(RecordReader &reader, const QString &ops = QString())
{
    QStringList results;
    for (qsizetype i = 0; ops.isEmpty() ? !reader.atEnd() && i < 1000 : i < ops.size(); ++i) {
        const QChar op = ops.isEmpty() ? u't' : ops[i];
        QString text = QString::fromLatin1(fail);
        qint64 number = -1;
        if (op == u'i' && reader.readInteger(&number))
            text = QString::number(number);
        else if (op == u'i' && number != -1) // a failed read must leave the number alone
            text = u"<changed>"_s;
        else if (op == u't')
            reader.readText(&text);
        else if (op == u'l')
            reader.readLine(&text);
        results.append(text);
    }
    return results;
}

QStringList runReads(const QByteArray &bytes, const QString &ops = QString())
{
    RecordReader reader(bytes);
    return runReads(reader, ops);
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Guards the number form that existing profile and report files hold.
    void number_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("written");

        QTest::newRow("system colour") << qint64(-2147483630) << u"-2147483630 "_s;
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << u"-9223372036854775808 "_s;
    }

    void number()
    {
        QFETCH(qint64, value);
        QFETCH(QString, written);
        QCOMPARE(RecordFormat::number(value), written);
        QCOMPARE(runReads(CodePage::encode(written + u"\r\n"_s), u"it"_s),
                 (QStringList{QString::number(value), fail}));
    }

    // Guards a stored text coming back split, trimmed or changed, which would shift every later
    // value of the file; and plain texts must keep the form older files have.
    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("readBack");

        const auto same = [](const char *name, const QString &value) {
            QTest::newRow(name) << value << value << value;
        };
        const auto quoted = [](const char *name, const QString &value, const QString &written) {
            QTest::newRow(name) << value << written << value;
        };
        same("empty", QString());
        same("blanks, apostrophe, semicolon, inner quotes, code page, nul",
             u"\u00A0dell'uovo;  di \"Mario\" perch\u00E9 \u20AC\u0081"_s + QChar(0) + u"x  "_s);
        quoted("comma", u"rosso, scuro"_s, u"\"rosso, scuro\""_s);
        quoted("leading blank", u" a"_s, u"\" a\""_s);
        quoted("quote before a comma", u"a\",b"_s, u"\"a\"\",b\""_s);
        QTest::newRow("line breaks inside") << u"a\r\nb\nc\rd"_s << u"a b c d"_s << u"a b c d"_s;
        QTest::newRow("leading line break") << u"\nx"_s << u"\" x\""_s << u" x"_s;
    }

    void textRoundTrip()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        QFETCH(QString, readBack);
        QCOMPARE(RecordFormat::text(value), written);
        QCOMPARE(runReads(CodePage::encode(written + u"\r\nnext\r\n"_s)),
                 (QStringList{readBack, u"next"_s}));
    }

    // Guards the field rules that files written by the older program depend on.
    void readText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");

        const auto row = [](const char *name, const QByteArray &bytes, const QStringList &fields) {
            QTest::newRow(name) << bytes << fields;
        };
        row("line ends of all kinds", "a\r\nb\nc\rd\r", {"a", "b", "c", "d"});
        row("empty lines are empty fields", "False\r\n\r\n\r\n", {"False", "", ""});
        row("leading blanks skipped, trailing kept", " \t arial 130 \r\n", {"arial 130 "});
        row("old-style comma splits the line", "rosso, scuro\r\nrossi\r\n",
            {"rosso", "scuro", "rossi"});
        row("quoted with a comma", "\"rosso, scuro\"\r\nx\r\n", {"rosso, scuro", "x"});
        row("no closing quote runs to the line end", "\"a, b\r\nc\r\n", {"a, b", "c"});
        row("quote inside a plain field", "di \"Mario, x\r\n", {"di \"Mario", "x"});
        row("nul byte", QByteArray("a\0b\r\n\0", 6), {u"a"_s + QChar(0) + u'b', QString(QChar(0))});
    }

    void readText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        RecordReader reader(bytes);
        QCOMPARE(runReads(reader), fields);
        // At the end a read fails and leaves its output alone.
        QCOMPARE(runReads(reader, u"tl"_s), (QStringList{fail, fail}));
    }

    // Guards a damaged number line being taken for a value (or for zero) instead of a failure.
    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("results");

        const auto row = [](const char *name, const QByteArray &bytes, const QStringList &results) {
            QTest::newRow(name) << bytes << results;
        };
        row("plus sign, leading zeros, tabs around", "\t+007\t\r\n", {"7"});
        row("two on a line", "1,2\r\n", {"1", "2"});
        row("one past the largest", "9223372036854775808", {fail});
        row("empty and blank lines", "\r\n  \r\n 5 \r\n", {fail, fail, "5"});
        row("flag word is consumed", "True\r\n 5 \r\n", {fail, "5"});
        row("nul after digits", QByteArray("12\0", 3), {fail});
    }

    void readInteger()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, results);
        RecordReader reader(bytes);
        QCOMPARE(runReads(reader, QString(results.size() + 1, u'i')), results + QStringList{fail});
        QVERIFY(reader.atEnd());
    }

    // Guards the profile and report files: flags, texts and whole-line cells must load back as saved, with
    // the upper half of the code page unaltered, and a file one line short must fail at its last read.
    void fileRoundTrip()
    {
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(char(b));
        high.append('\0');
        const QString value = CodePage::decode(high);
        const QByteArray bytes = CodePage::encode(QStringList{RecordFormat::flag(true), RecordFormat::flag(false),
                                                              RecordFormat::text(value), RecordFormat::line(value), QString()}
                                                      .join(u"\r\n"_s) + u"\r\n"_s);
        QCOMPARE(bytes, "True\r\nFalse\r\n" + high + "\r\n" + high + "\r\n\r\n");
        QStringList expected{"True", "False", value, value, ""};
        QCOMPARE(runReads(bytes, u"tttlt"_s), expected);
        expected.replace(4, fail);
        QCOMPARE(runReads(bytes.chopped(2), u"tttlt"_s), expected);
    }

    // Guards quadratic reading, which would hang the program on a large or hostile file (the test
    // would then run into its time-out).
    void largeInputs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("fields");

        const int size = 1024 * 1024;
        QTest::newRow("one long line") << QByteArray(size, 'x') << 1;
        QTest::newRow("doubled quotes") << ('"' + QByteArray(size, '"')) << 1;
        QTest::newRow("commas") << QByteArray(size, ',') << size + 1;
        QTest::newRow("unclosed quotes") << QByteArray(size / 2, '"').replace("\"", "\"\r") << size / 2;
    }

    void largeInputs()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, fields);
        RecordReader reader(bytes);
        QString text;
        int count = 0;
        while (reader.readText(&text))
            ++count;
        QCOMPARE(count, fields);
        RecordReader lines(bytes);
        while (lines.readLine(&text)) {
        }
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
