#include "QtWarnings.h"
#include "TestEnv.h"
#include "app/Main.h"
#include "core/Modulo1.h"
#include "core/ProgramFiles.h"
#include "lang/modLanguageSupport.h"
#include "platform/Desktop.h"

#include <QDateTime>
#include <QFontInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Root = QStringLiteral("C/ImpostazioniProgrammiQuorla");

// A program ready to start: a language, the pictures and the cursive font beside it, the
// windows registered.
struct Start
{
    TestEnv env;
    explicit Start(bool withFont = true)
    {
        env.language(QStringLiteral("Italiano"),
                     QStringLiteral("[Strings]\n0001=Vorbello è già aperto\n"
                                    "0194=Lingua %1 inservibile, uso %2\n0195=Mancano:\n"));
        env.currentLanguage(QStringLiteral("Italiano"));
        QStringList files = ProgramFiles::pictures();
        if (withFont)
            files << QStringLiteral("\\indis1.ttf");
        for (const QString &file : std::as_const(files))
            QVERIFY2(env.ship(file.mid(1).replace(QLatin1Char('\\'), QLatin1Char('/'))), qPrintable(file));
        RegistraFinestre(*env.state);
    }
};

} // namespace

class TestAvvio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QStandardPaths::setTestModeEnabled(true);
    }

    // First start: the folders, the notice, the font installed and announced once, the default
    // profile loaded (not yet saved), the start-up window shown. Later starts create and show
    // nothing, even if the font was removed; a missing data folder alone is recreated, with the
    // notice rewritten, and no font check.
    void firstAndLaterStarts()
    {
        Start s;
        TestEnv &env = s.env;
        QVERIFY(!AvviaProgramma(*env.state, false).has_value());
        QVERIFY(env.exists(Root + QStringLiteral("/Vorbello/dati")));
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), TestoLeggimi());
        QVERIFY(env.exists(QStringLiteral("C/fonts/indis1.ttf")));
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages.first().startsWith(
            QStringLiteral("Ho installato il font per il corsivo 'indis1.ttf'\r\n")));
        QVERIFY(env.dialogs.messages.first().contains(QStringLiteral("Font prodotto da Jean-Marie Douteau\r\n ")));
        QCOMPARE(env.state->NomeUtente, QStringLiteral("_predefinito"));
        QCOMPARE(env.state->profilo, Profilo());
        QVERIFY(!env.exists(Root + QStringLiteral("/Vorbello/_predefinito.INI")));
        QWidget *w = env.windows->find(QStringLiteral("FormAvvio"));
        QVERIFY(w && w->isVisible());
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Indis1"))).family(), QStringLiteral("Ecolier_court"));

        env.windows->unload(w);
        env.dialogs.messages.clear();
        QFile::remove(env.driveC() + QStringLiteral("/fonts/indis1.ttf"));
        env.put(Root + QStringLiteral("/leggimi.txt"), "changed by hand");
        // A temporary file a killed save left beside a profile goes at the next start.
        const QString stale = env.dir.filePath(Root + QStringLiteral("/Vorbello/ANNA.ini.Ab12Cd"));
        QVERIFY(writeBytes(stale, "half"));
        QFile f(stale);
        QVERIFY(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(!AvviaProgramma(*env.state, false).has_value());
        QVERIFY(!QFileInfo::exists(stale));
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), QByteArray("changed by hand"));

        QVERIFY(QDir(env.dir.path() + QLatin1Char('/') + Root + QStringLiteral("/Vorbello/dati")).removeRecursively());
        QVERIFY(!AvviaProgramma(*env.state, false).has_value());
        QVERIFY(env.exists(Root + QStringLiteral("/Vorbello/dati")));
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), TestoLeggimi());
        QVERIFY(env.dialogs.messages.isEmpty());
        QVERIFY(!env.exists(QStringLiteral("C/fonts/indis1.ttf")));
    }

    // A second copy says so with key "0001", and neither creates anything nor opens a window;
    // a settings root that cannot be made ends start-up with a message, no window and a failure
    // status (it was 0, as if all had gone well).
    void startRefused()
    {
        Start copy(false);
        QCOMPARE(AvviaProgramma(*copy.env.state, true), std::optional<int>(0));
        QCOMPARE(copy.env.dialogs.messages, QStringList{QString::fromUtf8("Vorbello è già aperto")});
        QVERIFY(copy.env.windows->loaded().isEmpty());
        QVERIFY(!copy.env.exists(Root));

        Start blocked(false);
        blocked.env.put(Root, "a file in the way");
        QCOMPARE(AvviaProgramma(*blocked.env.state, false), std::optional<int>(1));
        QCOMPARE(blocked.env.dialogs.messages.size(), 1);
        QVERIFY(blocked.env.windows->loaded().isEmpty());
        QCOMPARE(blocked.env.get(Root), QByteArray("a file in the way"));
    }

    void missingData_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("inUse");
        const QString prog = QStringLiteral("/prog/");
        QTest::newRow("recorded language without its file")
            << "Klingon" << QStringList() << "Lingua Klingon inservibile, uso Italiano" << "Italiano";
        QTest::newRow("pictures missing")
            << "Italiano" << QStringList{"immagini/avanti.svg", "figure/tazza3.svg"}
            << "Mancano:\n%1immagini/avanti.svg\n%1figure/tazza3.svg" << "Italiano";
        QTest::newRow("no usable language: told in both languages")
            << "Italiano" << QStringList{"lgnvorbello/Italiano.lng"}
            << "Nessun file di lingua utilizzabile nella cartella:\n%1lgnvorbello\n"
               "No usable language file in the folder:\n%1lgnvorbello" << "Vuoto";
    }
    // What the windows cannot do without is checked at start and told once, instead of blank
    // buttons and sentences of dots; a recorded language that cannot be used gives way to one
    // that can, for this run, and stays recorded.
    void missingData()
    {
        QFETCH(QString, recorded);
        QFETCH(QStringList, removed);
        QFETCH(QString, told);
        QFETCH(QString, inUse);
        Start s(false);
        s.env.language(QStringLiteral("Vuoto"), QStringLiteral("[FormMenu]\nCaption=x\n"));
        s.env.currentLanguage(recorded);
        for (const QString &file : std::as_const(removed))
            QVERIFY(QFile::remove(s.env.prog() + QLatin1Char('/') + file));
        const QByteArray setting = s.env.get(QStringLiteral("prog/lgnvorbello/LangSetting.ini"));
        QVERIFY(!AvviaProgramma(*s.env.state, false).has_value());
        QCOMPARE(s.env.dialogs.messages, QStringList{QString(told).replace(QStringLiteral("%1"), s.env.prog() + QLatin1Char('/'))});
        QCOMPARE(LinguaImpostata(*s.env.state), inUse);
        QCOMPARE(s.env.get(QStringLiteral("prog/lgnvorbello/LangSetting.ini")), setting);
    }

    void switchesLeave_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<int>("key");
        QTest::newRow("mouse mode, space") << 0 << int(Qt::Key_Space);
        QTest::newRow("two switches, enter") << 3 << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << 1 << int(Qt::Key_Enter);
    }
    // The switches are Space and Enter: a pupil without a mouse leaves the start-up window too.
    void switchesLeave()
    {
        QFETCH(int, modo);
        QFETCH(int, key);
        Start s(false);
        QVERIFY(!AvviaProgramma(*s.env.state, false).has_value());
        s.env.state->profilo.ModoInput = modo;
        QWidget *avvio = s.env.windows->find(QStringLiteral("FormAvvio"));
        QVERIFY(avvio && avvio->isVisible());
        QTest::keyClick(avvio, Qt::Key(key));
        QWidget *menu = s.env.windows->find(QStringLiteral("FormMenu"));
        QVERIFY(menu && menu->isVisible());
        QVERIFY(!avvio->isVisible());
    }

    // The lock: a second copy on the same settings is refused, one on other settings is not, and
    // a settings root that cannot hold the lock is not mistaken for a running copy.
    void singleInstanceLock()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("other")));
        SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        QVERIFY(!SingleInstance(dir.path()).acquire());
        QVERIFY(SingleInstance(dir.path() + QStringLiteral("/other")).acquire());
        QVERIFY(writeBytes(dir.path() + QStringLiteral("/file"), "x"));
        QVERIFY(SingleInstance(dir.path() + QStringLiteral("/file")).acquire());
    }

    // Both notations of the palette name the same colour: the boxes show what is chosen.
    void palette()
    {
        TestEnv env;
        CaricaPalette(*env.state);
        for (int i = 0; i < 216; ++i) {
            const uint code = env.state->ColoriVB[i].mid(2, 8).toUInt(nullptr, 16);
            QCOMPARE(QColor::fromRgb(code & 0xFF, (code >> 8) & 0xFF, (code >> 16) & 0xFF).name().mid(1).toUpper(),
                     env.state->ColoriHex[i]);
        }
    }

    // Pieces kept in lower case are lowered whatever the language file holds (the shipped files
    // hold them in lower case already, so the sentence tests cannot tell).
    void lowerCasePieces()
    {
        TestEnv env;
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0020=Il Cucchiaino\n0021=Il BISCOTTO\n"));
        env.currentLanguage(QStringLiteral("Italiano"));
        CaricaFrasi(*env.state);
        QCOMPARE(env.state->Frasi[18], QStringLiteral("Il BISCOTTO"));
        QCOMPARE(env.state->Frasi[19], QStringLiteral("il biscotto"));
        QCOMPARE(env.state->Frasi[20], QStringLiteral("il cucchiaino"));
    }

    // A missing document shows nothing and the program carries on; one no program can show is
    // told, with where it is, instead of nothing happening.
    void documentNotShown()
    {
        TestEnv env;
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0193=Nessun programma lo mostra:\n"));
        env.currentLanguage(QStringLiteral("Italiano"));
        bool mostrato = false;
        env.state->apriDocumento = [&](const QString &) { return mostrato; };
        const QString manuale = env.state->paths.programFolder() + QStringLiteral("\\Vorbello.pdf");
        ApriDocumento(*env.state, nullptr, manuale);
        QVERIFY(env.dialogs.messages.isEmpty());
        const QString file = env.state->paths.toHost(manuale);
        QVERIFY(writeBytes(file, "%PDF-1.4\n"));
        mostrato = true;
        ApriDocumento(*env.state, nullptr, manuale);
        QVERIFY(env.dialogs.messages.isEmpty());
        mostrato = false;
        ApriDocumento(*env.state, nullptr, manuale);
        QCOMPARE(env.dialogs.messages, QStringList{"Nessun programma lo mostra:\n" + file});
    }
};

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
