#include "platform/StoredFile.h"

#include "Files.h"
#include "FullDisk.h"
#include "QtWarnings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestStoredFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Guards a report or profile that is a link to a device, a FIFO or a huge file exhausting memory
    // or hanging the program, and a missing file read as an empty one.
    void read_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readable");
        QTest::newRow("regular file") << QStringLiteral("small.rpt") << true;
        QTest::newRow("one byte over the limit") << QStringLiteral("over.rpt") << false;
        QTest::newRow("missing") << QStringLiteral("missing.rpt") << false;
        QTest::newRow("folder") << QStringLiteral(".") << false;
        QTest::newRow("link to an endless device") << QStringLiteral("zero.rpt") << false;
        QTest::newRow("FIFO with no writer") << QStringLiteral("fifo.rpt") << false;
    }

    void read()
    {
        QFETCH(QString, name);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("small.rpt")), "Anna\r\n"));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("over.rpt")), QByteArray(101, 'x')));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("zero.rpt"))));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.rpt"))).constData(), 0600), 0);

        QByteArray out = "untouched";
        QCOMPARE(StoredFile::read(dir.filePath(name), 100, &out), readable);
        QCOMPARE(out, readable ? fileBytes(dir.filePath(name)) : QByteArray("untouched"));
    }

    // Guards a stale tail of a longer old file surviving the rewrite, and an empty content refused.
    void replaceWritesEverything()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("profilo.ini"));
        QVERIFY(writeBytes(path, QByteArray(1000, 'x')));
        QVERIFY(StoredFile::replace(path, " 130 \r\nTrue\r\n"));
        QCOMPARE(fileBytes(path), QByteArray(" 130 \r\nTrue\r\n"));
        QVERIFY(StoredFile::replace(path, QByteArray()));
        QCOMPARE(fileBytes(path), QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("profilo.ini")});

        // Through a link: the link stays, the file it names is replaced and keeps its mode.
        const QString link = dir.filePath(QStringLiteral("link.ini"));
        QVERIFY(QFile::link(path, link));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        QVERIFY(StoredFile::replace(link, "nuovo"));
        QCOMPARE(QFileInfo(link).symLinkTarget(), path);
        QCOMPARE(fileBytes(path), QByteArray("nuovo"));
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
    }

    // Guards a failed save being reported as success, truncating the user's existing file (a full
    // disk once left a profile of 0 bytes) or leaving a stray temporary file behind.
    void failedReplaceChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("target is a folder") << QStringLiteral("sub") << false << false;
        QTest::newRow("read-only folder") << QStringLiteral("file.txt") << true << false;
        // The name fits, the temporary file written beside it does not.
        QTest::newRow("no room for the temporary name") << QString(250, u'p') << false << false;
        QTest::newRow("disk full") << QStringLiteral("file.txt") << false << true;
    }

    void failedReplaceChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnlyFolder);
        QFETCH(bool, fullDisk);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("file.txt")), "old\r\n"));
        QVERIFY(writeBytes(dir.filePath(QString(250, u'p')), "old\r\n"));
        const auto before = folderSnapshot(dir.path());
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (readOnlyFolder) {
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            if (::access(QFile::encodeName(dir.path()).constData(), W_OK) == 0)
                QSKIP("A read-only folder is still writable here (running as root?)");
        }
        bool replaced = false;
        {
            std::optional<FullDisk> full;
            if (fullDisk)
                full.emplace();
            replaced = StoredFile::replace(dir.filePath(name), QByteArray(64, 'n'));
        }
        QVERIFY(!replaced);
        QCOMPARE(folderSnapshot(dir.path()), before);
    }

    // A save killed midway left its temporary file for good; only such files, and none a save
    // might still be writing, may go.
    void removeLeftovers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("old");
        QTest::addColumn<bool>("removed");
        QTest::newRow("a minute old") << QStringLiteral("ANNA.ini.aB3dE9") << true << true;
        QTest::newRow("recent") << QStringLiteral("ANNA.ini.aB3dE9") << false << false;
        QTest::newRow("not alphanumeric") << QStringLiteral("ANNA.ini.aB3-E9") << true << false;
        QTest::newRow("a profile") << QStringLiteral("ANNA.ini") << true << false;
    }

    void removeLeftovers()
    {
        QFETCH(QString, name);
        QFETCH(bool, old);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeBytes(path, "x"));
        if (old) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-61), QFileDevice::FileModificationTime));
        }
        StoredFile::removeLeftovers(dir.path(), QStringLiteral(".ini"), std::chrono::minutes(1));
        QCOMPARE(QFileInfo::exists(path), !removed);
    }
};

QTEST_GUILESS_MAIN(TestStoredFile)
#include "tst_storedfile.moc"
