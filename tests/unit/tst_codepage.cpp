#include "QtWarnings.h"
#include "platform/CodePage.h"

#include <QRegularExpression>
#include <QTest>

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // A missing codec only warns; the tests must see it as a failure.
        failOnQtWarnings();
    }

    // Guards a wrong or missing codec: the characters a stored file means must come back.
    void decodeBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("0x80-0x9F letters") << QByteArray("\x80\x93x\x94\x8C\x9C\x9F")
                                           << QStringLiteral("\u20AC\u201Cx\u201D\u0152\u0153\u0178");
        QTest::newRow("italian accents") << QByteArray("Rosso 130 perch\xE9 citt\xE0 \xC8\xFF")
                                         << QStringLiteral("Rosso 130 perch\u00E9 citt\u00E0 \u00C8\u00FF");
        QTest::newRow("five unassigned bytes")
            << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
        QTest::newRow("nul byte") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void decodeBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CodePage::decode(bytes), text);
        QCOMPARE(CodePage::encode(text), bytes);
    }

    // Guards lost or altered bytes: any byte a file holds must be written back as it was.
    void everyByteRoundTrips()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
        const QString text = CodePage::decode(bytes);
        QCOMPARE(text.size(), 256);
        QCOMPARE(CodePage::encode(text), bytes);
    }

    // Guards characters outside the code page turning into control bytes, look-alikes or
    // vanishing, which would shift or corrupt the file.
    void encodeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("mixed") << QStringLiteral("\u20AC\u4E2D\u00E8\u0416,")
                               << QByteArray("\x80?\xE8?,");
        QTest::newRow("surrogate pair is one character")
            << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        QTest::newRow("lone high surrogate inside")
            << (QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")) << QByteArray("a?b");
        QTest::newRow("lone high surrogate at the end")
            << (QStringLiteral("a") + QChar(0xD800)) << QByteArray("a?");
        QTest::newRow("lone low surrogate")
            << (QChar(0xDC00) + QStringLiteral("b")) << QByteArray("?b");
        QTest::newRow("no look-alikes") << QStringLiteral("\u0100\uFF21") << QByteArray("??");
        QTest::newRow("C1 control 0x80 is not the euro") << QStringLiteral("\u0080") << QByteArray("?");
        QTest::newRow("replacement character") << QStringLiteral("\uFFFD") << QByteArray("?");
        QTest::newRow("real SUB control kept") << QStringLiteral("\u001A") << QByteArray("\x1A");
    }

    void encodeText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage::encode(text), bytes);
    }

    // Guards files from other systems (LF, old Mac CR) losing or gaining lines.
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("mixed, final lf")
            << QStringLiteral("a\r\nb\nc\rd\n") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("final cr") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("no final line end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
        QTest::newRow("empty lines kept")
            << QStringLiteral("a\r\n\r\n\r\n") << QStringList{"a", "", ""};
        QTest::newRow("lf cr is two line ends")
            << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("cr cr lf") << QStringLiteral("a\r\r\n") << QStringList{"a", ""};
        QTest::newRow("blanks kept") << QStringLiteral(" a \r\n\t") << QStringList{" a ", "\t"};
    }

    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(CodePage::splitLines(text), lines);
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
