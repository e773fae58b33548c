// Settings and language files (Windows private-profile format). The byte-level reading and
// writing rules are left to tests/fuzz/fuzz_privateprofile; here the mended faults and one
// round trip through a file.
#include "Files.h"
#include "QtWarnings.h"
#include "platform/PrivateProfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPrivateProfile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // What the program writes reads back, and changes only its own line, byte for byte: other
    // keys, comments, unknown bytes and line ends survive; the value is stored in windows-1252.
    void roundTrip()
    {
        const QString path = m_dir.filePath(u"roundtrip.ini"_s);
        const QByteArray before("\xff junk\r\n; c1\r\n[Citt\xe0]\r\nKeY=old\r\nj=1\r\n[B]\r\n");
        QVERIFY(writeBytes(path, before));
        QVERIFY(PrivateProfile::write(path, u"CITTÀ", u"key", u"caffè € “x”"_s));
        QVERIFY(PrivateProfile::write(path, u"B", u"k", u"v"_s));
        QCOMPARE(fileBytes(path), QByteArray("\xff junk\r\n; c1\r\n[Citt\xe0]\r\nKeY=caff\xe8 \x80 \x93x\x94\r\n"
                                             "j=1\r\n[B]\r\nk=v\r\n"));
        QCOMPARE(PrivateProfile::read(path, u"Città", u"KEY"), u"caffè € “x”"_s);
        QCOMPARE(PrivateProfile::read(path, u"città", u"j"), u"1"_s);
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
