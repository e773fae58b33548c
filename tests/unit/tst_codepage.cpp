#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray allBytes(int from, int to)
{
    QByteArray bytes;
    for (int b = from; b <= to; ++b)
        bytes.append(char(b));
    return bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void decodeBytes_data();
    void decodeBytes();
    void everyByteRoundTrips();
    void encodeText_data();
    void encodeText();
    void splitLines_data();
    void splitLines();
    void writeThenRead();
    void writeReplacesLongerFile();
    void readFileFailures_data();
    void readFileFailures();
    void writeFailures_data();
    void writeFailures();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestCodePage::init()
{
    // A missing codec only warns; the tests must see it as a failure.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
}

// Guards a wrong or missing codec: the characters a stored file means must come back.
void TestCodePage::decodeBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("Rosso 130") << QStringLiteral("Rosso 130");
    QTest::newRow("euro") << QByteArray("\x80") << QStringLiteral("\u20AC");
    QTest::newRow("curly quotes") << QByteArray("\x93x\x94") << QStringLiteral("\u201Cx\u201D");
    QTest::newRow("OE ligature") << QByteArray("\x8C\x9C") << QStringLiteral("\u0152\u0153");
    QTest::newRow("Y diaeresis") << QByteArray("\x9F\xFF") << QStringLiteral("\u0178\u00FF");
    QTest::newRow("italian accents")
        << QByteArray("perch\xE9 citt\xE0 \xC8") << QStringLiteral("perch\u00E9 citt\u00E0 \u00C8");
    QTest::newRow("unassigned 0x81") << QByteArray("\x81") << QStringLiteral("\u0081");
    QTest::newRow("unassigned 0x8D") << QByteArray("\x8D") << QStringLiteral("\u008D");
    QTest::newRow("unassigned 0x8F") << QByteArray("\x8F") << QStringLiteral("\u008F");
    QTest::newRow("unassigned 0x90") << QByteArray("\x90") << QStringLiteral("\u0090");
    QTest::newRow("unassigned 0x9D") << QByteArray("\x9D") << QStringLiteral("\u009D");
    QTest::newRow("nul byte") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestCodePage::decodeBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CodePage::decode(bytes), text);
    QCOMPARE(CodePage::encode(text), bytes);
}

// Guards lost or altered bytes: any byte a file holds must be written back as it was.
void TestCodePage::everyByteRoundTrips()
{
    const QByteArray bytes = allBytes(0, 255);
    const QString text = CodePage::decode(bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(CodePage::encode(text), bytes);
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        QCOMPARE(CodePage::encode(CodePage::decode(one)), one);
    }
}

// Guards characters outside the code page turning into control bytes, look-alikes or
// vanishing, which would shift or corrupt the file.
void TestCodePage::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("cjk") << QStringLiteral("a\u4E2Db") << QByteArray("a?b");
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone high surrogate inside")
        << (QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")) << QByteArray("a?b");
    QTest::newRow("lone high surrogate at the end")
        << (QStringLiteral("a") + QChar(0xD800)) << QByteArray("a?");
    QTest::newRow("lone low surrogate")
        << (QChar(0xDC00) + QStringLiteral("b")) << QByteArray("?b");
    QTest::newRow("no look-alike for A macron") << QStringLiteral("\u0100") << QByteArray("?");
    QTest::newRow("no look-alike for fullwidth A") << QStringLiteral("\uFF21") << QByteArray("?");
    QTest::newRow("C1 control 0x80 is not the euro") << QStringLiteral("\u0080") << QByteArray("?");
    QTest::newRow("replacement character") << QStringLiteral("\uFFFD") << QByteArray("?");
    QTest::newRow("real SUB control kept") << QStringLiteral("\u001A") << QByteArray("\x1A");
    QTest::newRow("mixed") << QStringLiteral("\u20AC\u4E2D\u00E8\u0416,")
                           << QByteArray("\x80?\xE8?,");
}

void TestCodePage::encodeText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CodePage::encode(text), bytes);
}

// Guards files from other systems (LF, old Mac CR) losing or gaining lines.
void TestCodePage::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("cr") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QStringLiteral("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("no final line end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
    QTest::newRow("empty lines kept")
        << QStringLiteral("a\r\n\r\n\r\n") << QStringList{"a", "", ""};
    QTest::newRow("lf cr is two line ends")
        << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("cr cr lf") << QStringLiteral("a\r\r\n") << QStringList{"a", ""};
    QTest::newRow("blanks kept") << QStringLiteral(" a \r\n\t") << QStringList{" a ", "\t"};
}

void TestCodePage::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(CodePage::splitLines(text), lines);
}

// Guards the on-disk form: CR LF after every line, one byte per character.
void TestCodePage::writeThenRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("profilo.ini"));
    const QStringList lines{QStringLiteral(" 130 "), QStringLiteral("True"),
                            QStringLiteral("perch\u00E9 \u20AC"), QString(), QString()};
    QVERIFY(CodePage::writeLines(path, lines));
    QCOMPARE(fileBytes(path), QByteArray(" 130 \r\nTrue\r\nperch\xE9 \x80\r\n\r\n\r\n"));

    QString text;
    QVERIFY(CodePage::readFile(path, &text));
    QCOMPARE(CodePage::splitLines(text), lines);
}

// Guards a stale tail of a longer old file surviving the rewrite.
void TestCodePage::writeReplacesLongerFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(writeBytes(path, QByteArray(1000, 'x')));
    QVERIFY(CodePage::writeLines(path, {QStringLiteral("b")}));
    QCOMPARE(fileBytes(path), QByteArray("b\r\n"));
    QVERIFY(CodePage::writeLines(path, {}));
    QCOMPARE(fileBytes(path), QByteArray());
}

// Guards a missing or unreadable file being reported as an empty one.
void TestCodePage::readFileFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.ini");
    QTest::newRow("directory") << QStringLiteral("sub");
    QTest::newRow("below a missing folder") << QStringLiteral("nowhere/x.ini");
}

void TestCodePage::readFileFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QString out = QStringLiteral("untouched");
    QVERIFY(!CodePage::readFile(dir.filePath(name), &out));
    QCOMPARE(out, QStringLiteral("untouched"));
}

// Guards a failed save being reported as success.
void TestCodePage::writeFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << QStringLiteral("nowhere/x.ini");
    QTest::newRow("target is a folder") << QStringLiteral("sub");
    QTest::newRow("folder is a file") << QStringLiteral("file.txt/x.ini");
}

void TestCodePage::writeFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("file.txt")), "old\r\n"));
    QVERIFY(!CodePage::writeLines(dir.filePath(name), {QStringLiteral("new")}));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("file.txt"))), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

// Guards a failed save truncating the user's existing file.
void TestCodePage::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only folder") << QStringLiteral("profilo.ini") << true;
    // The name fits, the temporary file written beside it does not.
    QTest::newRow("no room for the temporary name") << QString(250, u'p') << false;
}

void TestCodePage::failedWriteKeepsOldFile()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(writeBytes(path, "old\r\n"));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QSKIP("A read-only folder is still writable here (running as root?)");
        }
    }
    QVERIFY(!CodePage::writeLines(path, {QStringLiteral("new")}));
    QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
