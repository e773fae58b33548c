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
        QTest::newRow("C1 control 0x80 is not the euro") << QStringLiteral("\u0080") << QByteArray("?");
        QTest::newRow("real SUB control kept") << QStringLiteral("\u001A") << QByteArray("\x1A");
    }

    void encodeText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage::encode(text), bytes);
    }

};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
