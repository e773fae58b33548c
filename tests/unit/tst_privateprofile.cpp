#include "Files.h"
#include "QtWarnings.h"
#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A byte array holding every byte of a literal, NULs included.
template <qsizetype N> QByteArray bytes(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

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

    void lookup_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("def");
        QTest::addColumn<int>("bufferSize");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");

        const QString def = u"DEF"_s;
        // Most rows look up key k of section S; a missing value reads as the default.
        auto at = [&](const char *name, const QByteArray &file, const QString &section,
                      const QString &key, const QString &expected) {
            QTest::newRow(name) << file << section << key << def << 512 << (expected != def)
                                << expected;
        };
        auto row = [&](const char *name, const QByteArray &file, const QString &expected) {
            at(name, file, u"S"_s, u"k"_s, expected);
        };
        auto sized = [&](const char *name, const QByteArray &file, const QString &defaultValue,
                         int size, const QString &expected) {
            QTest::newRow(name) << file << u"S"_s << u"k"_s << defaultValue << size << !file.isEmpty()
                                << expected;
        };

        at("case ignored, accents too", "[Citt\xe0]\r\nK\xc8Y=v\r\n", u"CITTÀ"_s, u"kèy"_s, u"v"_s);
        at("blanks around names and value, text after the header",
           "  \t[ \tF \t] ; note\r\n \tCommand1(2).Caption \t= \t v w\tx ; y=z \t\r\n", u" F\t"_s,
           u"\tCommand1(2).Caption "_s, u"v w\tx ; y=z"_s);
        row("quotes removed, blanks outside dropped, inside kept", "[S]\r\nk =  \" a \"  \r\n", u" a "_s);
        at("missing key", "[S]\r\nk=v\r\n[T]\r\nj=w\r\n", u"S"_s, u"j"_s, def);
        row("comment line", "[S]\r\n;k=v\r\n", def);
        row("first key and first of duplicate sections win", "[S]\r\nk=1\r\nK=2\r\n[T]\r\n[s]\r\nk=3\r\n", u"1"_s);
        row("windows-1252 value", "[S]\r\nk=caff\xe8 \x80 \x93x\x94\x81\x8d\x8f\x90\x9d\r\n",
            u"caffè € “x”\u0081\u008d\u008f\u0090\u009d"_s);
        row("NUL ends the value", bytes("[S]\r\nk=ab\0cd\r\n"), u"ab"_s);
        row("UTF-16 with its mark", utf16(u"[S]\r\nk=caffè ł😀\r\n"_s), u"caffè ??"_s);
        row("UTF-8 with its mark", "\xEF\xBB\xBF[S]\r\nk=caff\xC3\xA8\r\n", u"caffè"_s);

        const QByteArray x511(511, 'x');
        sized("511 characters kept", "[S]\r\nk=" + x511 + "\r\n", def, 512, x511);
        sized("default cut to buffer", "", u"default"_s, 4, u"def"_s);
    }

    // Guards the Windows reading rules that language files and settings depend on, and that a
    // parsed (cached) document answers exactly as a fresh read of the file does.
    void lookup()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, def);
        QFETCH(int, bufferSize);
        QFETCH(bool, found);
        QFETCH(QString, expected);

        const PrivateProfile::Document doc = PrivateProfile::Document::parse(file);
        QCOMPARE(doc.value(section, key, def, bufferSize), expected);
        QCOMPARE(doc.contains(section, key), found);

        const QString path = m_dir.filePath(u"lookup.ini"_s);
        QVERIFY(writeBytes(path, file));
        QCOMPARE(PrivateProfile::read(path, section, key, def, bufferSize), expected);
    }

    void edit_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("readBack");

        auto full = [](const char *name, const QByteArray &before, const QString &section,
                       const QString &key, const QString &value, const QByteArray &after,
                       const QString &readBack) {
            QTest::newRow(name) << before << section << key << value << after << readBack;
        };
        // Most rows set k=v in section A.
        auto row = [&](const char *name, const QByteArray &before, const QByteArray &after) {
            full(name, before, u"A"_s, u"k"_s, u"v"_s, after, u"v"_s);
        };

        row("new file", "", "[A]\r\nk=v\r\n");
        row("new key in last section", "[B]\r\nb=1\r\n[A]\r\na=1\r\n",
            "[B]\r\nb=1\r\n[A]\r\na=1\r\nk=v\r\n");
        row("new key before trailing comment", "[A]\r\na=1\r\n; the B part\r\n[B]\r\n",
            "[A]\r\na=1\r\nk=v\r\n; the B part\r\n[B]\r\n");
        row("new key after last line without line end", "[A]\r\na=1", "[A]\r\na=1\r\nk=v\r\n");
        full("section found whatever its case", "[Language]\r\n", u"LANGUAGE"_s, u"CurrentLanguage"_s,
             u"English"_s, "[Language]\r\nCurrentLanguage=English\r\n", u"English"_s);
        full("UTF-8 mark: the section is found, the mark kept", "\xEF\xBB\xBF[Language]\r\nCurrentLanguage=English\r\n",
             u"Language"_s, u"CurrentLanguage"_s, u"Italiano"_s,
             "\xEF\xBB\xBF[Language]\r\nCurrentLanguage=Italiano\r\n", u"Italiano"_s);
        row("UTF-16 mark: new section in UTF-16", utf16(u"[B]\r\nb=1"_s), utf16(u"[B]\r\nb=1\r\n[A]\r\nk=v\r\n"_s));
        full("replace keeps key spelling", "[A]\r\n  KeY \t= old  \r\n", u"a"_s, u"key"_s, u"v"_s,
             "[A]\r\n  KeY \t=v\r\n", u"v"_s);
        row("replace keeps comments and garbage",
            bytes("\xff\0junk\r\n; c1\r\n[A]\r\n; c2\r\nk=old\r\n; c3\r\n"),
            bytes("\xff\0junk\r\n; c1\r\n[A]\r\n; c2\r\nk=v\r\n; c3\r\n"));
        full("windows-1252 encoded", "", u"Città"_s, u"k"_s, u"caffè € “x”"_s,
             "[Citt\xe0]\r\nk=caff\xe8 \x80 \x93x\x94\r\n", u"caffè € “x”"_s);
    }

    // Guards that writing changes only what it must, byte for byte, as Windows does: other lines,
    // comments, line ends and unknown bytes survive, and the new value reads back.
    void edit()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QFETCH(QString, readBack);

        QVERIFY(PrivateProfile::isWritable(section, key, value));
        const QByteArray edited = PrivateProfile::edit(before, section, key, value);
        QCOMPARE(edited, after);
        QCOMPARE(PrivateProfile::Document::parse(edited).value(section, key, u"DEF"_s), readBack);

        const QString path = m_dir.filePath(u"edit.ini"_s);
        QFile::remove(path);
        if (!before.isEmpty())
            QVERIFY(writeBytes(path, before));
        QVERIFY(PrivateProfile::write(path, section, key, value));
        QCOMPARE(fileBytes(path), after);
    }

    void refusedEdit_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("LF in value") << u"A"_s << u"k"_s << u"one\n[B]\nx=1"_s;
        QTest::newRow("line break in section") << u"A\r\nB"_s << u"k"_s << u"v"_s;
        QTest::newRow("empty section") << QString() << u"k"_s << u"v"_s;
        QTest::newRow("key starting with semicolon") << u"A"_s << u" ;k"_s << u"v"_s;
        QTest::newRow("NUL in key") << u"A"_s << QString(u"k\0j"_s) << u"v"_s;
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

    // Guards that a failed write is reported and leaves what was there whole.
    void writeFailure()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"folder.ini"_s));
        QVERIFY(!PrivateProfile::write(m_dir.filePath(u"folder.ini"_s), u"A", u"k", u"new"_s));
        QVERIFY(QFileInfo(m_dir.filePath(u"folder.ini"_s)).isDir());
        QVERIFY(!PrivateProfile::write(m_dir.filePath(u"missing/file.ini"_s), u"A", u"k", u"new"_s));
    }

};

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
