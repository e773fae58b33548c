// Settings and language files (Windows private-profile format). The byte-level reading and
// writing rules are left to tests/fuzz/fuzz_privateprofile; here the mended faults and one
// round trip through a file.
#include "Files.h"
#include "QtWarnings.h"
#include "platform/PrivateProfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What a Windows editor saves as "Unicode": UTF-16 LE behind its mark.
QByteArray utf16(const QString &text)
{
    QByteArray out("\xFF\xFE");
    for (const QChar c : text)
        out += char(c.unicode() & 0xFF), out += char(c.unicode() >> 8);
    return out;
}

} // namespace

class TestPrivateProfile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("code page") << QByteArray("\xff junk\r\n; c1\r\n[Citt\xe0]\r\nKeY=old\r\nj=1\r\n")
                                   << u"CITTÀ"_s << u"caffè € “x”"_s
                                   << QByteArray("\xff junk\r\n; c1\r\n[Citt\xe0]\r\nKeY=caff\xe8 \x80 \x93x\x94\r\nj=1\r\n");
        // Behind an editor's mark the edit once went into a second section, never read; and a
        // UTF-16 file read as empty.
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF[A]\r\nkey=English\r\nj=1\r\n") << u"A"_s << u"Italiano"_s
                                    << QByteArray("\xEF\xBB\xBF[A]\r\nkey=Italiano\r\nj=1\r\n");
        // Re-saved with a second mark, the editor wrote into a section the reader did not see.
        QTest::newRow("two UTF-8 marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nkey=old\r\n[B]\r\nj=1\r\n")
                                         << u"A"_s << u"v"_s
                                         << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nkey=old\r\n[B]\r\nj=1\r\n[A]\r\nkey=v\r\n");
        QTest::newRow("UTF-16 mark") << utf16(u"[B]\r\nj=1"_s) << u"A"_s << u"v"_s
                                     << utf16(u"[B]\r\nj=1\r\n[A]\r\nkey=v\r\n"_s);
    }
    // Stored files rely on it: what the program writes reads back, and changes only its own
    // line, byte for byte: other keys, comments, unknown bytes, line ends and the file's mark and
    // encoding survive; a value is stored in windows-1252.
    void roundTrip()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = m_dir.filePath(u"roundtrip.ini"_s);
        QVERIFY(writeBytes(path, before));
        QVERIFY(PrivateProfile::write(path, section, u"key", value));
        QCOMPARE(fileBytes(path), after);
        QCOMPARE(PrivateProfile::read(path, section.toLower(), u"KEY"), value);
        QCOMPARE(PrivateProfile::read(path, u"B", u"j") + PrivateProfile::read(path, section, u"j"), u"1"_s);
    }

    // CR LF, LF and a lone CR each end a line, and the last line needs none.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << QByteArray("[A]\r\nk=1\r\nj=2\r\n");
        QTest::newRow("LF") << QByteArray("[A]\nk=1\nj=2\n");
        QTest::newRow("lone CR") << QByteArray("[A]\rk=1\rj=2\r");
        QTest::newRow("CR, then LF lines") << QByteArray("[A]\rk=1\nj=2");
        QTest::newRow("LF, then CR lines") << QByteArray("[A]\nk=1\r\r\nj=2\r");
        QTest::newRow("no end on the last line") << QByteArray("[A]\r\nk=1\r\nj=2");
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        const PrivateProfile::Document doc = PrivateProfile::Document::parse(bytes);
        QCOMPARE(doc.value(u"A", u"k"), u"1"_s);
        QCOMPARE(doc.value(u"A", u"j"), u"2"_s);
    }

    void refusedEdit_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("LF in value") << u"A"_s << u"k"_s << u"one\n[B]\nx=1"_s;
        QTest::newRow("line break in section") << u"A\r\nB"_s << u"k"_s << u"v"_s;
        QTest::newRow("key starting with semicolon") << u"A"_s << u" ;k"_s << u"v"_s;
    }

    // Guards against a write that would forge extra lines or sections, or store a key that could
    // never be read back: it is refused and the file stays as it was.
    void refusedEdit()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);

        const QByteArray before = "[A]\r\nk=old\r\n";
        QVERIFY(!PrivateProfile::isWritable(section, key, value));
        QCOMPARE(PrivateProfile::edit(before, section, key, value), before);

        const QString path = m_dir.filePath(u"refused.ini"_s);
        QVERIFY(writeBytes(path, before));
        QVERIFY(!PrivateProfile::write(path, section, key, value));
        QCOMPARE(fileBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
