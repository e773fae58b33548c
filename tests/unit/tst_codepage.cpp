#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry of a folder with its contents, to see that nothing appeared, vanished or changed.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        entries.insert(info.fileName(), info.isDir() ? "<folder>" : fileBytes(info.filePath()));
    return entries;
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
    void readFileFailures_data();
    void readFileFailures();
    void failedWriteChangesNothing_data();
    void failedWriteChangesNothing();
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
    QTest::newRow("0x80-0x9F letters") << QByteArray("\x80\x93x\x94\x8C\x9C\x9F")
                                       << QStringLiteral("\u20AC\u201Cx\u201D\u0152\u0153\u0178");
    QTest::newRow("italian accents") << QByteArray("perch\xE9 citt\xE0 \xC8\xFF")
                                     << QStringLiteral("perch\u00E9 citt\u00E0 \u00C8\u00FF");
    QTest::newRow("five unassigned bytes")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
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
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString text = CodePage::decode(bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(CodePage::encode(text), bytes);
}

// Guards characters outside the code page turning into control bytes, look-alikes or
// vanishing, which would shift or corrupt the file.
void TestCodePage::encodeText_data()
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

void TestCodePage::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(CodePage::splitLines(text), lines);
}

// Guards the on-disk form (CR LF after every line, one byte per character) and a stale tail of
// a longer old file surviving the rewrite.
void TestCodePage::writeThenRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("profilo.ini"));
    QVERIFY(writeBytes(path, QByteArray(1000, 'x')));
    const QStringList lines{QStringLiteral(" 130 "), QStringLiteral("True"),
                            QStringLiteral("perch\u00E9 \u20AC"), QString(), QString()};
    QVERIFY(CodePage::writeLines(path, lines));
    QCOMPARE(fileBytes(path), QByteArray(" 130 \r\nTrue\r\nperch\xE9 \x80\r\n\r\n\r\n"));

    QString text;
    QVERIFY(CodePage::readFile(path, &text));
    QCOMPARE(CodePage::splitLines(text), lines);
    QVERIFY(CodePage::writeLines(path, {}));
    QCOMPARE(fileBytes(path), QByteArray());
}

// Guards a missing or unreadable file being reported as an empty one.
void TestCodePage::readFileFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.ini");
    QTest::newRow("directory") << QStringLiteral(".");
}

void TestCodePage::readFileFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString out = QStringLiteral("untouched");
    QVERIFY(!CodePage::readFile(dir.filePath(name), &out));
    QCOMPARE(out, QStringLiteral("untouched"));
}

// Guards a failed save being reported as success, truncating the user's existing file or
// leaving a stray temporary file behind.
void TestCodePage::failedWriteChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("missing folder") << QStringLiteral("nowhere/x.ini") << false;
    QTest::newRow("target is a folder") << QStringLiteral("sub") << false;
    QTest::newRow("folder is a file") << QStringLiteral("file.txt/x.ini") << false;
    QTest::newRow("read-only folder") << QStringLiteral("file.txt") << true;
    // The name fits, the temporary file written beside it does not.
    QTest::newRow("no room for the temporary name") << QString(250, u'p') << false;
}

void TestCodePage::failedWriteChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("file.txt")), "old\r\n"));
    QVERIFY(writeBytes(dir.filePath(QString(250, u'p')), "old\r\n"));
    const auto before = snapshot(dir.path());
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("A read-only folder is still writable here (running as root?)");
        }
    }
    QVERIFY(!CodePage::writeLines(dir.filePath(name), {QStringLiteral("new")}));
    QCOMPARE(snapshot(dir.path()), before);
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
