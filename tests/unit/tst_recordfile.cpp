// The line-record files that profiles and reports are stored in. The field-by-field reading
// rules are left to tests/fuzz/fuzz_recordreader and fuzz_codepage; here one round trip.
#include "QtWarnings.h"
#include "platform/CodePage.h"
#include "platform/RecordFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A missing codec only warns; the tests must see it as a failure.
    void init() { failOnQtWarnings(); }

    // Stored files rely on it: every byte of the code page comes back as it was, and numbers,
    // flags, texts (a comma, leading blanks, quotes) and whole-line cells written by the program
    // read back as written; a file one line short fails at its last read.
    void fileRoundTrip()
    {
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every.append(char(b));
        QCOMPARE(CodePage::encode(CodePage::decode(every)), every);

        const QString high = CodePage::decode(every.mid(0x80) + '\0');
        const QString awkward = u" di \"Mario\", perch\u00E9"_s;
        const QByteArray bytes = CodePage::encode(
            QStringList{RecordFormat::number(-2147483630), RecordFormat::flag(true), RecordFormat::flag(false),
                        RecordFormat::text(awkward), RecordFormat::text(high), RecordFormat::line(high), QString()}
                .join(u"\r\n"_s) + u"\r\n"_s);
        QVERIFY(bytes.startsWith("-2147483630 \r\nTrue\r\nFalse\r\n"));
        for (const bool whole : {true, false}) {
            RecordReader reader(whole ? bytes : bytes.chopped(2));
            qint64 number = 0;
            QString flag1, flag2, text1, text2, line, last;
            QVERIFY(reader.readInteger(&number) && reader.readText(&flag1) && reader.readText(&flag2) &&
                    reader.readText(&text1) && reader.readText(&text2) && reader.readLine(&line));
            QCOMPARE(number, qint64(-2147483630));
            QCOMPARE((QStringList{flag1, flag2, text1, text2, line}),
                     (QStringList{u"True"_s, u"False"_s, awkward, high, high}));
            QCOMPARE(reader.readText(&last), whole);
        }
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
