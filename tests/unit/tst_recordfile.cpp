#include "platform/CodePage.h"
#include "platform/RecordFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr auto fail = "<false>";

// Every field readText gives until the end of the input.
QStringList allTexts(const QByteArray &bytes)
{
    RecordReader reader(bytes);
    QStringList fields;
    QString field;
    while (fields.size() < 1000 && reader.readText(&field))
        fields.append(field);
    return fields;
}

// Runs the reads named by ops ('t' text, 'i' integer, 'l' line), one result each.
QStringList runReads(const QByteArray &bytes, const QString &ops)
{
    RecordReader reader(bytes);
    QStringList results;
    for (const QChar op : ops) {
        QString text;
        qint64 number = 0;
        bool ok = false;
        if (op == u't') {
            ok = reader.readText(&text);
        } else if (op == u'i') {
            ok = reader.readInteger(&number);
            text = QString::number(number);
        } else {
            ok = reader.readLine(&text);
        }
        results.append(ok ? text : QString::fromLatin1(fail));
    }
    return results;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void number_data();
    void number();
    void textRoundTrip_data();
    void textRoundTrip();
    void readText_data();
    void readText();
    void readInteger_data();
    void readInteger();
    void mixedReads_data();
    void mixedReads();
    void profileSequence();
    void highBytesRoundTrip();
    void openFailures_data();
    void openFailures();
    void largeInputsReadInLinearTime_data();
    void largeInputsReadInLinearTime();
};

void TestRecordFile::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
}

// Guards the number form that existing profile and report files hold.
void TestRecordFile::number_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("written");

    QTest::newRow("positive") << qint64(130) << QStringLiteral(" 130 ");
    QTest::newRow("zero") << qint64(0) << QStringLiteral(" 0 ");
    QTest::newRow("system colour") << qint64(-2147483630) << QStringLiteral("-2147483630 ");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                             << QStringLiteral(" 9223372036854775807 ");
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min()
                              << QStringLiteral("-9223372036854775808 ");
}

void TestRecordFile::number()
{
    QFETCH(qint64, value);
    QFETCH(QString, written);
    QCOMPARE(RecordFormat::number(value), written);

    RecordReader reader(CodePage::encode(written + QStringLiteral("\r\n")));
    qint64 back = 0;
    QVERIFY(reader.readInteger(&back));
    QCOMPARE(back, value);
    QVERIFY(reader.atEnd());
}

// Guards a stored text coming back split, trimmed or changed, which would shift every later
// value of the file; and plain texts must keep the form older files have.
void TestRecordFile::textRoundTrip_data()
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
    same("plain", QStringLiteral("rosso"));
    same("empty", QString());
    same("trailing blanks", QStringLiteral("rosso  "));
    same("inner blanks", QStringLiteral("rosso  scuro"));
    same("inner quote", QStringLiteral("di \"Mario\""));
    same("ends with a quote", QStringLiteral("a\""));
    same("apostrophe", QStringLiteral("dell'uovo"));
    same("semicolon", QStringLiteral("a;b"));
    same("accents and euro", QStringLiteral("perch\u00E9 \u20AC"));
    same("unassigned byte", QStringLiteral("\u0081x\u009D"));
    same("leading no-break space", QStringLiteral("\u00A0a"));
    same("nul", QStringView(u"a\0b", 3).toString());
    quoted("comma", QStringLiteral("rosso, scuro"), QStringLiteral("\"rosso, scuro\""));
    quoted("only a comma", QStringLiteral(","), QStringLiteral("\",\""));
    quoted("leading blank", QStringLiteral(" a"), QStringLiteral("\" a\""));
    quoted("leading tab", QStringLiteral("\ta"), QStringLiteral("\"\ta\""));
    quoted("only blanks", QStringLiteral("   "), QStringLiteral("\"   \""));
    quoted("leading quote", QStringLiteral("\"ciao\" disse"),
           QStringLiteral("\"\"\"ciao\"\" disse\""));
    quoted("only a quote", QStringLiteral("\""), QStringLiteral("\"\"\"\""));
    quoted("two quotes", QStringLiteral("\"\""), QStringLiteral("\"\"\"\"\"\""));
    quoted("quote before a comma", QStringLiteral("a\",b"), QStringLiteral("\"a\"\",b\""));
    quoted("comma at the end", QStringLiteral("a,"), QStringLiteral("\"a,\""));
    QTest::newRow("crlf inside") << QStringLiteral("a\r\nb") << QStringLiteral("a b")
                                 << QStringLiteral("a b");
    QTest::newRow("lf and cr inside")
        << QStringLiteral("a\nb\rc") << QStringLiteral("a b c") << QStringLiteral("a b c");
    QTest::newRow("leading line break")
        << QStringLiteral("\nx") << QStringLiteral("\" x\"") << QStringLiteral(" x");
    QTest::newRow("line break and comma")
        << QStringLiteral("a,\r\nb") << QStringLiteral("\"a, b\"") << QStringLiteral("a, b");
}

void TestRecordFile::textRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, written);
    QFETCH(QString, readBack);
    QCOMPARE(RecordFormat::text(value), written);

    const QString file = RecordFormat::text(value) + QStringLiteral("\r\nnext\r\n");
    QCOMPARE(allTexts(CodePage::encode(file)), (QStringList{readBack, QStringLiteral("next")}));
}

// Guards the field rules that files written by the older program depend on.
void TestRecordFile::readText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("missing final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty input") << QByteArray() << QStringList();
    QTest::newRow("empty lines are empty fields")
        << QByteArray("False\r\n\r\n\r\n") << QStringList{"False", "", ""};
    QTest::newRow("blank-only line") << QByteArray(" \t \r\nx") << QStringList{"", "x"};
    QTest::newRow("leading blanks and tabs skipped")
        << QByteArray(" \t arial\r\n") << QStringList{"arial"};
    QTest::newRow("trailing blanks kept") << QByteArray(" 130 \r\n") << QStringList{"130 "};
    QTest::newRow("old-style comma splits the line")
        << QByteArray("rosso, scuro\r\nrossi\r\n") << QStringList{"rosso", "scuro", "rossi"};
    QTest::newRow("comma at the end of a line")
        << QByteArray("a,\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("comma at the end of the input") << QByteArray("a,") << QStringList{"a", ""};
    QTest::newRow("two commas") << QByteArray("a,,b") << QStringList{"a", "", "b"};
    QTest::newRow("quoted with a comma")
        << QByteArray("\"rosso, scuro\"\r\nx\r\n") << QStringList{"rosso, scuro", "x"};
    QTest::newRow("quoted keeps blanks") << QByteArray("  \" a \"\r\n") << QStringList{" a "};
    QTest::newRow("doubled quote") << QByteArray("\"a\"\"b\"\r\n") << QStringList{"a\"b"};
    QTest::newRow("text after the closing quote dropped")
        << QByteArray("\"ciao\" mondo, x\r\n") << QStringList{"ciao", "x"};
    QTest::newRow("quote after the closing quote dropped")
        << QByteArray("\"a\" \"b,c\r\n") << QStringList{"a", "c"};
    QTest::newRow("no closing quote runs to the line end")
        << QByteArray("\"a, b\r\nc\r\n") << QStringList{"a, b", "c"};
    QTest::newRow("no closing quote at the end of the input")
        << QByteArray("\"a,b") << QStringList{"a,b"};
    QTest::newRow("lone quote") << QByteArray("\"\r\n\"") << QStringList{"", ""};
    QTest::newRow("empty quoted field") << QByteArray("\"\",x") << QStringList{"", "x"};
    QTest::newRow("quote inside a plain field")
        << QByteArray("di \"Mario, x\r\n") << QStringList{"di \"Mario", "x"};
    QTest::newRow("nul byte") << QByteArray("a\0b\r\n\0", 6)
                              << QStringList{QStringView(u"a\0b", 3).toString(), QString(QChar(0))};
    QTest::newRow("high bytes") << QByteArray("\x80\x81\xE9\xFF\r\n")
                                << QStringList{QStringLiteral("\u20AC\u0081\u00E9\u00FF")};
    QTest::newRow("lf cr is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
}

void TestRecordFile::readText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QCOMPARE(allTexts(bytes), fields);

    RecordReader reader(bytes);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QString field;
        QVERIFY(reader.readText(&field));
    }
    QVERIFY(reader.atEnd());
    QString untouched = QStringLiteral("untouched");
    QVERIFY(!reader.readText(&untouched));
    QCOMPARE(untouched, QStringLiteral("untouched"));
}

// Guards a damaged number line being taken for a value (or for zero) instead of a failure.
void TestRecordFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("print form") << QByteArray(" 130 \r\n-2147483630 \r\n 0 \r\n")
                                << QStringList{"130", "-2147483630", "0"};
    QTest::newRow("plus sign") << QByteArray("+7") << QStringList{"7"};
    QTest::newRow("tabs around") << QByteArray("\t42\t\r\n") << QStringList{"42"};
    QTest::newRow("leading zeros") << QByteArray("007\r\n") << QStringList{"7"};
    QTest::newRow("two on a line") << QByteArray("1,2\r\n") << QStringList{"1", "2"};
    QTest::newRow("largest") << QByteArray("9223372036854775807")
                             << QStringList{"9223372036854775807"};
    QTest::newRow("smallest") << QByteArray("-9223372036854775808")
                              << QStringList{"-9223372036854775808"};
    QTest::newRow("one past the largest") << QByteArray("9223372036854775808") << QStringList{fail};
    QTest::newRow("one past the smallest")
        << QByteArray("-9223372036854775809") << QStringList{fail};
    QTest::newRow("many digits") << QByteArray(400, '9') << QStringList{fail};
    QTest::newRow("empty line") << QByteArray("\r\n 5 \r\n") << QStringList{fail, "5"};
    QTest::newRow("blank line") << QByteArray("  \r\n") << QStringList{fail};
    QTest::newRow("junk is consumed") << QByteArray("abc\r\n 5 \r\n") << QStringList{fail, "5"};
    QTest::newRow("digits then junk") << QByteArray("12abc\r\n") << QStringList{fail};
    QTest::newRow("two numbers apart") << QByteArray("1 2\r\n") << QStringList{fail};
    QTest::newRow("sign alone") << QByteArray("-\r\n") << QStringList{fail};
    QTest::newRow("blank after the sign") << QByteArray("- 5\r\n") << QStringList{fail};
    QTest::newRow("two signs") << QByteArray("--5\r\n") << QStringList{fail};
    QTest::newRow("hexadecimal") << QByteArray("&H10\r\n0x10\r\n") << QStringList{fail, fail};
    QTest::newRow("decimal point") << QByteArray("1.5\r\n") << QStringList{fail};
    QTest::newRow("exponent") << QByteArray("1e3\r\n") << QStringList{fail};
    QTest::newRow("superscript digit") << QByteArray("\xB2\r\n") << QStringList{fail};
    QTest::newRow("flag word") << QByteArray("True\r\n") << QStringList{fail};
    QTest::newRow("nul after digits") << QByteArray("12\0", 3) << QStringList{fail};
}

void TestRecordFile::readInteger()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, results);

    RecordReader reader(bytes);
    QStringList got;
    while (!reader.atEnd() && got.size() < 100) {
        qint64 value = -1;
        const bool ok = reader.readInteger(&value);
        if (!ok)
            QCOMPARE(value, qint64(-1));
        got.append(ok ? QString::number(value) : QString::fromLatin1(fail));
    }
    QCOMPARE(got, results);
    qint64 value = -1;
    QVERIFY(!reader.readInteger(&value));
}

// Guards the report layout: captions as fields, the row count as a number, cells as whole
// lines, each read picking up exactly where the previous one stopped.
void TestRecordFile::mixedReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("report")
        << QByteArray("Mario\r\n\"Data: 1, maggio\"\r\n 2 \r\n Tazze, piatti \r\n 1 \r\n"
                      "\"3\"\r\n\r\n\r\n")
        << QStringLiteral("tti llll l l")
        << QStringList{"Mario", "Data: 1, maggio", "2", " Tazze, piatti ", " 1 ", "\"3\"", "", "",
                       fail};
    QTest::newRow("line after a comma")
        << QByteArray("a, b,c\r\nd") << QStringLiteral("tll") << QStringList{"a", " b,c", "d"};
    QTest::newRow("line keeps leading blanks")
        << QByteArray("  x  \r") << QStringLiteral("ll") << QStringList{"  x  ", fail};
    QTest::newRow("line after a comma at the end")
        << QByteArray("a,") << QStringLiteral("tll") << QStringList{"a", "", fail};
    QTest::newRow("cr only lines")
        << QByteArray("a\r 5 \rc") << QStringLiteral("lil") << QStringList{"a", "5", "c"};
    QTest::newRow("lf only lines")
        << QByteArray("a\n 5 \nc\n") << QStringLiteral("tilt") << QStringList{"a", "5", "c", fail};
    QTest::newRow("failed number moves on")
        << QByteArray("x\r\ny\r\n") << QStringLiteral("it") << QStringList{fail, "y"};
    QTest::newRow("line after an unclosed quote")
        << QByteArray("\"a\r\nb\r\n") << QStringLiteral("tl") << QStringList{"a", "b"};
}

void TestRecordFile::mixedReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, ops);
    QFETCH(QStringList, results);
    QCOMPARE(runReads(bytes, ops.remove(u' ')), results);
}

// Guards the profile: what is saved must load back field for field.
void TestRecordFile::profileSequence()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("_predefinito.ini"));
    const QStringList lines{RecordFormat::number(130),
                            RecordFormat::flag(true),
                            RecordFormat::flag(false),
                            RecordFormat::text(QStringLiteral("Arial")),
                            RecordFormat::text(QStringLiteral("rosso, scuro")),
                            RecordFormat::text(QStringLiteral(" verde")),
                            RecordFormat::number(-2147483630),
                            RecordFormat::number(0),
                            QString(),
                            QString()};
    QVERIFY(CodePage::writeLines(path, lines));
    QCOMPARE(fileBytes(path), QByteArray(" 130 \r\nTrue\r\nFalse\r\nArial\r\n\"rosso, scuro\"\r\n"
                                         "\" verde\"\r\n-2147483630 \r\n 0 \r\n\r\n\r\n"));

    RecordReader reader;
    QVERIFY(reader.open(path));
    qint64 number = 0;
    QString text;
    QVERIFY(reader.readInteger(&number));
    QCOMPARE(number, qint64(130));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QStringLiteral("True"));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QStringLiteral("False"));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QStringLiteral("Arial"));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QStringLiteral("rosso, scuro"));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QStringLiteral(" verde"));
    QVERIFY(reader.readInteger(&number));
    QCOMPARE(number, qint64(-2147483630));
    QVERIFY(reader.readInteger(&number));
    QCOMPARE(number, qint64(0));
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QString());
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, QString());
    QVERIFY(reader.atEnd());
    QVERIFY(!reader.readText(&text));
    // A file one line short fails at the last read.
    RecordReader shortReader(fileBytes(path).chopped(2));
    for (int i = 0; i < 9; ++i)
        QVERIFY(shortReader.readText(&text));
    QVERIFY(!shortReader.readText(&text));
}

// Guards characters of the upper half being altered on their way through a file.
void TestRecordFile::highBytesRoundTrip()
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(char(b));
    bytes.append('\0');
    const QString value = CodePage::decode(bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("alto.txt"));
    QVERIFY(CodePage::writeLines(path, {RecordFormat::text(value), RecordFormat::line(value)}));
    QCOMPARE(fileBytes(path), bytes + "\r\n" + bytes + "\r\n");

    RecordReader reader;
    QVERIFY(reader.open(path));
    QString text;
    QVERIFY(reader.readText(&text));
    QCOMPARE(text, value);
    QVERIFY(reader.readLine(&text));
    QCOMPARE(text, value);
    QVERIFY(reader.atEnd());
}

// Guards an unreadable file being read as an empty one, or old contents lingering.
void TestRecordFile::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.rpt");
    QTest::newRow("directory") << QStringLiteral(".");
}

void TestRecordFile::openFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RecordReader reader(QByteArray("old\r\n"));
    QVERIFY(!reader.open(dir.filePath(name)));
    QVERIFY(reader.atEnd());
    QString text;
    QVERIFY(!reader.readText(&text));
    QVERIFY(!reader.readLine(&text));
}

// Guards quadratic reading, which would hang the program on a large or hostile file. The
// limit is far above what linear reading needs, even under sanitizers.
void TestRecordFile::largeInputsReadInLinearTime_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fields");

    const int size = 1024 * 1024;
    QTest::newRow("one long line") << QByteArray(size, 'x') << 1;
    QTest::newRow("one long quoted line") << ('"' + QByteArray(size, 'x')) << 1;
    QTest::newRow("doubled quotes") << ('"' + QByteArray(size, '"')) << 1;
    QTest::newRow("commas") << QByteArray(size, ',') << size + 1;
    QTest::newRow("empty lines") << QByteArray(size, '\n') << size;
    QTest::newRow("unclosed quotes") << QByteArray(size / 2, '"').replace("\"", "\"\r") << size / 2;
}

void TestRecordFile::largeInputsReadInLinearTime()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fields);

    QElapsedTimer timer;
    timer.start();
    RecordReader reader(bytes);
    QString text;
    int count = 0;
    while (reader.readText(&text))
        ++count;
    QCOMPARE(count, fields);
    RecordReader lines(bytes);
    while (lines.readLine(&text)) {
    }
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
