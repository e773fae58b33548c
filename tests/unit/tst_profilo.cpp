#include "FullDisk.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/Modulo1.h"
#include "core/Profilo.h"

#include <QTest>

namespace {

// A profile with what the old writer would have corrupted (commas, leading blanks, quotes) and
// values at the ends of their fields.
Profilo awkward()
{
    Profilo p;
    p.Riservato1 = -32768;
    p.Riservato6 = QStringLiteral("Comic, Sans");
    p.ModoInput = 2;
    p.TabellaColori[1] = {QStringLiteral("112233"), QStringLiteral(" verde, scuro"),
                          QStringLiteral("\"verdi\""), QStringLiteral("però"), QStringLiteral("a\"b")};
    p.ColoreBottoni = 4294967295.0;
    p.ColoreSelezione = -2147483648.0;
    p.TieniTraccia = true;
    return p;
}

} // namespace

class TestProfilo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Stored profiles rely on it: a profile comes back field for field, and written again it
    // is the same bytes.
    void bytes()
    {
        const QByteArray bytes = ProfiloInBytes(awkward());
        Profilo back;
        QVERIFY(ProfiloDaBytes(bytes, &back));
        QCOMPARE(back, awkward());
        QCOMPARE(ProfiloInBytes(back), bytes);
        QCOMPARE(bytes.count('\n'), 50);
    }

    // A damaged file must give all defaults, never a mixture of stored and default values.
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        Profilo p;
        p.Riservato1 = 131; // so a partial read would show
        const QByteArray full = ProfiloInBytes(p);
        QTest::newRow("49 lines") << full.left(full.size() - 2);
        QTest::newRow("text in a number line") << QByteArray(full).replace(" 24 ", "grande");
        // Values no control of the program can give, which locked a pupil out.
        QTest::newRow("input mode 7") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n 7 \r\n 4 ");
        QTest::newRow("scan speed 61") << QByteArray(full).replace("\r\n 0 \r\n 4 ", "\r\n 0 \r\n 61 ");
        QTest::newRow("unknown letter case") << QByteArray(full).replace("minuscolo", "Minuscolo");
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        Profilo p = awkward();
        QVERIFY(!ProfiloDaBytes(bytes, &p));
        QCOMPARE(p, awkward()); // untouched on failure
    }

    // A damaged profile was replaced by the defaults at the next save without a trace: it is
    // kept aside, a later one beside it under a number, and the teacher told once each time.
    void damagedFileKeptAside()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.state->profilo = awkward();
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

    // Saved and loaded again under another spelling of the name: one file. A save that cannot be
    // written (a full disk once left the profile at 0 bytes and said nothing) keeps the record
    // and says so; the old file kept whole is StoredFile's rule (tst_storedfile).
    void saveAndLoad()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\p.ini");
        env.state->profilo = awkward();
        QVERIFY(SalvaProfilo(*env.state));
        env.state->FileProfilo = QStringLiteral("C:\\P.INI");
        env.state->profilo = Profilo();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->profilo, awkward());
        QVERIFY(SalvaProfilo(*env.state));
        QCOMPARE(QDir(env.driveC()).entryList(QDir::Files).size(), 1);
        env.state->profilo.Riservato1 = 5;
        const Profilo inMemory = env.state->profilo;
        {
            FullDisk full;
            QVERIFY(!SalvaProfilo(*env.state));
        }
        QCOMPARE(env.state->profilo, inMemory);
        QCOMPARE(env.dialogs.messages.size(), 1);
    }

    void colourNamesShown_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("shown");
        const QStringList verde{"verde", "verdi", "verde", "verdi"};
        QTest::newRow("stored defaults, in English") << "English" << 1 << verde << "green";
        QTest::newRow("stored defaults, in Italian") << "Italiano" << 1 << verde << "verde";
        QTest::newRow("English defaults, in Italian")
            << "Italiano" << 1 << QStringList{"green", "green", "green", "green"} << "verde";
        QTest::newRow("defaults moved to another row")
            << "English" << 3 << QStringList{"rosso", "rossi", "rossa", "rosse"} << "red";
        QTest::newRow("typed by a teacher")
            << "English" << 1 << QStringList{"verde", "verdi", "verdona", "verdi"} << "verdona";
        QTest::newRow("language without colour names") << "Vuota" << 1 << verde << "verde";
    }
    // The stored defaults are Italian; a pupil working in another language reads its words.
    void colourNamesShown()
    {
        QFETCH(QString, language);
        QFETCH(int, row);
        QFETCH(QStringList, stored);
        QFETCH(QString, shown);
        TestEnv env;
        env.language("Italiano", "[Strings]\n0196=verde,verdi,verde,verdi\n0197=rosso,rossi,rossa,rosse\n");
        env.language("English", "[Strings]\n0196=green,green,green,green\n0197=red,red,red,red\n");
        env.language("Vuota", "[Strings]\n0001=x\n");
        env.currentLanguage(language);
        for (int f = 0; f < 4; ++f)
            env.state->profilo.TabellaColori[size_t(row)][size_t(f) + 1] = stored[f];
        const Profilo before = env.state->profilo;
        QCOMPARE(TabellaColoriMostrata(*env.state)[size_t(row)][3], shown);
        QVERIFY(env.state->profilo == before);
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
