#include "FullDisk.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/Modulo1.h"
#include "core/Profilo.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QTest>

namespace {

const char *const DefaultFile =
    " 130 \r\n 100 \r\nTrue\r\nFalse\r\nTrue\r\nArial\r\n 14 \r\nTrue\r\nFalse\r\n 0 \r\n 4 \r\n"
    "FFFFCC\r\nsfondo\r\nsfondo\r\nsfondo\r\nsfondo\r\n"
    "00FF00\r\nverde\r\nverdi\r\nverde\r\nverdi\r\n"
    "FF0000\r\nrosso\r\nrossi\r\nrossa\r\nrosse\r\n"
    "0000FF\r\nblu\r\nblu\r\nblu\r\nblu\r\n"
    "FFFF00\r\ngiallo\r\ngialli\r\ngialla\r\ngialle\r\n"
    " 16777088 \r\nminuscolo\r\narial\r\narial\r\n 24 \r\n-2147483630 \r\n-2147483633 \r\n"
    "True\r\n 255 \r\n 16777215 \r\nFalse\r\nFalse\r\n\r\n\r\n";

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> l = bytes.split('\n');
    l.removeLast();
    return l;
}

Profilo awkward()
{
    Profilo p;
    p.Riservato1 = -32768;
    p.Riservato2 = 32767;
    p.Riservato3 = false;
    p.Riservato6 = QStringLiteral("Comic, Sans");
    p.Suoni = false;
    p.CursoreSistema = true;
    p.ModoInput = 2;
    p.VelocitaScansione = 12;
    p.TabellaColori[1] = {QStringLiteral("112233"), QStringLiteral(" verde, scuro"),
                          QStringLiteral("\"verdi\""), QStringLiteral("però"),
                          QStringLiteral("a\"b")};
    p.TabellaColori[4][1] = QString();
    p.ColoreFisso = 0;
    p.TipoCarattere = QStringLiteral("corsivo");
    p.NomeFont = QStringLiteral("Indis1");
    p.FontNormale = QStringLiteral("DejaVu Sans");
    p.DimensioneFont = 72;
    p.ColoreFont = 16777215;
    p.ColoreBottoni = 4294967295.0;
    p.ColoriVari = false;
    p.ColoreSelezione = -2147483648.0;
    p.SfondoTesto = 0;
    p.PassaggioLivelli = true;
    p.TieniTraccia = true;
    return p;
}

} // namespace

class TestProfilo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // The default file is what older copies of the program read: it must match byte for byte.
    void defaultFileIsTheTable()
    {
        Profilo p;
        ImpostaPredefiniti(p);
        const QByteArray bytes = ProfiloInBytes(p);
        QCOMPARE(lines(bytes).size(), 50);
        QCOMPARE(bytes, QByteArray(DefaultFile));
    }

    // A profile written and read back must come back field for field, even with texts that
    // the old writer would have corrupted (commas, leading blanks, quotes).
    void roundTrip()
    {
        const Profilo p = awkward();
        Profilo back;
        QVERIFY(ProfiloDaBytes(ProfiloInBytes(p), &back));
        QCOMPARE(back, p);
        QCOMPARE(lines(ProfiloInBytes(p)).size(), 50);
    }

    // Flags written by hand or by other versions: only a leading upper-case T means true.
    void flags_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << QByteArray("True") << true;
        QTest::newRow("TRUE") << QByteArray("TRUE") << true;
        QTest::newRow("T") << QByteArray("T") << true;
        QTest::newRow("Tutto") << QByteArray("Tutto") << true;
        QTest::newRow("leading blank") << QByteArray("  True") << true;
        QTest::newRow("true") << QByteArray("true") << false;
        QTest::newRow("False") << QByteArray("False") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("-1") << QByteArray("-1") << false;
    }
    void flags()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, expected);
        QByteArray file(DefaultFile);
        file.replace("\r\nFalse\r\n 0 \r\n", "\r\n" + word + "\r\n 0 \r\n"); // CursoreSistema
        Profilo p;
        QVERIFY(ProfiloDaBytes(file, &p));
        QCOMPARE(p.CursoreSistema, expected);
    }

    // A damaged file must give all defaults, never a mixture of stored and default values.
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray full(DefaultFile);
        full.replace(" 130 ", " 131 "); // so a partial read would show
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("49 lines") << full.left(full.size() - 2);
        QTest::newRow("48 lines") << full.left(full.size() - 4);
        QTest::newRow("text in a number line") << QByteArray(full).replace(" 24 ", "grande");
        QTest::newRow("16-bit overflow") << QByteArray(full).replace(" 24 ", " 32768 ");
        QTest::newRow("16-bit underflow") << QByteArray(full).replace(" 24 ", "-32769 ");
        QTest::newRow("huge number") << QByteArray(full).replace(" 24 ", " 99999999999999999999999 ");
        QTest::newRow("colour beyond 32 bits") << QByteArray(full).replace(" 255 ", " 4294967296 ");
        QTest::newRow("empty number line") << QByteArray(full).replace(" 4 \r\n", "\r\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01garbage\x00", 13);
        QTest::newRow("old file, comma in an adjective")
            << QByteArray(full).replace("gialle", "gialle, chiare");
        // Values no control of the program can give, which locked a pupil out.
        QTest::newRow("input mode 7") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n 7 \r\n 4 ");
        QTest::newRow("input mode -1") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n-1 \r\n 4 ");
        QTest::newRow("scan speed 0") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n 0 \r\n 0 ");
        QTest::newRow("scan speed 61") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n 0 \r\n 61 ");
        QTest::newRow("font size 0") << QByteArray(full).replace(" 24 ", " 0 ");
        QTest::newRow("unknown letter case") << QByteArray(full).replace("minuscolo", "Minuscolo");
        QTest::newRow("colour above 24 bits") << QByteArray(full).replace(" 255 ", " 16777216 ");
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        Profilo p = awkward();
        QVERIFY(!ProfiloDaBytes(bytes, &p));
        QCOMPARE(p, awkward()); // untouched on failure

        TestEnv env;
        env.put(QStringLiteral("C/p.ini"), bytes);
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.state->profilo = awkward();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, Profilo());
    }

    // A damaged profile was replaced by the defaults at the next save without a trace: it is
    // kept aside, a later one beside it under a number, and the teacher told once each time.
    void damagedFileKeptAside()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.put(QStringLiteral("C/p.ini"), "first");
        CaricaProfilo(*env.state);
        env.put(QStringLiteral("C/p.ini"), "second");
        CaricaProfilo(*env.state);
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, Profilo());
        QCOMPARE(env.get(QStringLiteral("C/p.ini.danneggiato")), QByteArray("first"));
        QCOMPARE(env.get(QStringLiteral("C/p.ini.danneggiato.2")), QByteArray("second"));
        QVERIFY(!env.exists(QStringLiteral("C/p.ini")));
        QCOMPARE(env.dialogs.messages.size(), 2);
        QVERIFY(env.dialogs.messages[1].endsWith(env.driveC() + QStringLiteral("/p.ini.danneggiato.2")));
    }

    // A profile that cannot be read (here a folder, which root cannot read either) was met by
    // a save failure later; it is told as unreadable and moved out of the save's way.
    void unreadableFileTold()
    {
        TestEnv env;
        QVERIFY(QDir(env.driveC()).mkpath(QStringLiteral("p.ini")));
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.state->profilo = awkward();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, Profilo());
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages[0].endsWith(env.driveC() + QStringLiteral("/p.ini.illeggibile")));
        QVERIFY(QFileInfo(env.driveC() + QStringLiteral("/p.ini.illeggibile")).isDir());
        QVERIFY(SalvaProfilo(*env.state));
    }

    // Lines after the fiftieth are ignored; a file written by the old program loads.
    void extraLinesIgnored()
    {
        Profilo p;
        QVERIFY(ProfiloDaBytes(QByteArray(DefaultFile).replace(" 130 ", " 7 ") + "extra\r\n 5 \r\n", &p));
        QCOMPARE(p.Riservato1, qint16(7));
    }

    // A missing file gives defaults and leaves no file behind until the next save.
    void missingFile()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\Nessuno.ini");
        env.state->profilo = awkward();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, Profilo());
        QVERIFY(!env.exists(QStringLiteral("C/Nessuno.ini")));
    }

    // Saving then loading through the files, with the name written in another case.
    void saveAndLoad()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\_predefinito.INI");
        env.state->profilo = awkward();
        QVERIFY(SalvaProfilo(*env.state));
        QVERIFY(env.exists(QStringLiteral("C/_predefinito.INI")));
        env.state->FileProfilo = QStringLiteral("C:\\_PREDEFINITO.ini");
        env.state->profilo = Profilo();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, awkward());
        // Saved again under the other spelling: still one file.
        QVERIFY(SalvaProfilo(*env.state));
        QCOMPARE(QDir(env.driveC()).entryList(QDir::Files).size(), 1);
        QVERIFY(env.dialogs.messages.isEmpty());
    }

    // A save that cannot be written (a full disk once left the profile at 0 bytes and said
    // nothing) must keep the old file and the record, and say so.
    void failedSaveKeepsOldFile()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.state->profilo = awkward();
        QVERIFY(SalvaProfilo(*env.state));
        const QByteArray before = env.get(QStringLiteral("C/p.ini"));
        env.state->profilo.Riservato1 = 5;
        const Profilo inMemory = env.state->profilo;
        {
            FullDisk full;
            QVERIFY(!SalvaProfilo(*env.state));
        }
        QCOMPARE(env.get(QStringLiteral("C/p.ini")), before);
        QCOMPARE(env.state->profilo, inMemory);
        QCOMPARE(env.dialogs.messages.size(), 1);
    }

    // A profile path that is a folder cannot be saved over (works for root too).
    void saveOverAFolderFails()
    {
        TestEnv env;
        QVERIFY(QDir(env.driveC()).mkpath(QStringLiteral("dir.ini")));
        env.state->FileProfilo = QStringLiteral("C:\\dir.ini");
        QVERIFY(!SalvaProfilo(*env.state));
        QVERIFY(QFileInfo(env.driveC() + QStringLiteral("/dir.ini")).isDir());
        QCOMPARE(env.dialogs.messages.size(), 1);
    }

    // The button restoring default colours must leave the unused sixth row alone.
    void caricaNomiColoriKeepsRow5()
    {
        Profilo p;
        p.TabellaColori[5][0] = QStringLiteral("ABCDEF");
        p.TabellaColori[2][1] = QStringLiteral("x");
        CaricaNomiColori(p);
        QCOMPARE(p.TabellaColori[2][1], QStringLiteral("rosso"));
        QCOMPARE(p.TabellaColori[5][0], QStringLiteral("ABCDEF"));
    }
};

QTEST_GUILESS_MAIN(TestProfilo)
#include "tst_profilo.moc"
