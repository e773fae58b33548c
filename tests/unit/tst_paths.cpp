#include "platform/Paths.h"

#include "Files.h"
#include "QtWarnings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString c() const { return m_dir.path() + QStringLiteral("/C"); }
    QString prog() const { return m_dir.path() + QStringLiteral("/prog"); }

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void initTestCase()
    {
        QDir d(m_dir.path());
        d.mkpath(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/dati"));
        d.mkpath(QStringLiteral("prog/swf"));
        d.mkpath(QStringLiteral("prog/Mixed"));
        d.mkpath(QStringLiteral("prog/mixed"));
        for (const char *f : {"prog/swf/vorbe1.svg", "C/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.ini"})
            QVERIFY(writeBytes(m_dir.path() + QLatin1Char('/') + QLatin1String(f), {}));
    }

    // Windows names are case-insensitive: a differently-cased name must find the file that
    // exists, or the program would create duplicates and lose settings.
    void toHost_data()
    {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("expected"); // relative to the temporary folder
        QTest::newRow("profile in upper-case extension")
            << "C:\\ImpostazioniProgrammiQuorla\\Vorbello\\_predefinito.INI"
            << "C/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.ini";
        QTest::newRow("new name kept as written")
            << "C:\\ImpostazioniProgrammiQuorla\\Vorbello\\Anna.ini"
            << "C/ImpostazioniProgrammiQuorla/Vorbello/Anna.ini";
        QTest::newRow("folders found whatever their case, then the file")
            << "C:\\impostazioniprogrammiQUORLA\\VORBELLO\\_Predefinito.ini"
            << "C/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.ini";
        QTest::newRow("program folder + backslash path") << "PROG\\swf\\Vorbe1.svg"
                                                         << "prog/swf/vorbe1.svg";
        QTest::newRow("exact case wins") << "PROG\\mixed" << "prog/mixed";
        QTest::newRow("doubled, dot and trailing separators collapse")
            << "C:\\ImpostazioniProgrammiQuorla\\\\.\\Vorbello\\" << "C/ImpostazioniProgrammiQuorla/Vorbello";
        QTest::newRow("cannot climb out of drive C")
            << "C:\\ImpostazioniProgrammiQuorla\\Vorbello\\x\\..\\..\\..\\..\\evil.ini" << "C/evil.ini";
    }
    void toHost()
    {
        QFETCH(QString, windows);
        QFETCH(QString, expected);
        const Paths paths(c(), prog());
        windows.replace(QStringLiteral("PROG"), prog());
        QCOMPARE(paths.toHost(windows), QDir::cleanPath(m_dir.path() + QLatin1Char('/') + expected));
    }

    // An installed copy must find its data wherever its prefix lies, or a package unpacked
    // anywhere but the configured prefix starts without a single text.
    void programFolder_data()
    {
        QTest::addColumn<QString>("layout"); // folders holding the language files
        QTest::addColumn<QString>("expected");
        QTest::newRow("data beside the executable") << "build/bin/lgnvorbello" << "build/bin";
        QTest::newRow("installed prefix") << "usr/share/vorbello/lgnvorbello" << "usr/share/vorbello";
        QTest::newRow("neither: the configured folder") << "" << "/configured";
    }
    void programFolder()
    {
        QFETCH(QString, layout);
        QFETCH(QString, expected);
        QTemporaryDir root;
        if (!layout.isEmpty())
            QVERIFY(QDir(root.path()).mkpath(layout));
        const QString exeDir = root.path() + (layout.startsWith(QLatin1String("usr"))
                                                  ? QStringLiteral("/usr/bin")
                                                  : QStringLiteral("/build/bin"));
        QDir().mkpath(exeDir);
        if (!expected.startsWith(QLatin1Char('/')))
            expected = root.path() + QLatin1Char('/') + expected;
        QCOMPARE(Paths::programFolderFor(exeDir, QStringLiteral("/configured")), expected);
    }

    // A folder's listing is kept between lookups; a file renamed since must still be found, or a
    // teacher's renamed file would read as missing until the program restarts.
    void listingFollowsChanges()
    {
        const QString folder = c() + QStringLiteral("/Classe");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeBytes(folder + QStringLiteral("/Anna.ini"), {}));
        // Kept only once the folder has been still for longer than a clock's tick.
        QTest::qSleep(3200);
        const Paths paths(c(), prog());
        const QString windows = QStringLiteral("C:\\Classe\\anna.INI");
        QCOMPARE(paths.toHost(windows), folder + QStringLiteral("/Anna.ini"));
        QCOMPARE(paths.toHost(windows), folder + QStringLiteral("/Anna.ini"));
        QVERIFY(QDir(folder).rename(QStringLiteral("Anna.ini"), QStringLiteral("ANNA.ini")));
        QCOMPARE(paths.toHost(windows), folder + QStringLiteral("/ANNA.ini"));
    }

    void emptyStaysEmpty()
    {
        QVERIFY(Paths(c(), prog()).toHost(QString()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
