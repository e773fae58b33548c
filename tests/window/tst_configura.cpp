// The configuration window: choosing and creating the pupil, the cup colours and their names,
// and leaving with the profile saved.

#include "QtWarnings.h"
#include "TestEnv.h"
#include "app/Main.h"
#include "core/AccessSettings.h"
#include "core/History.h"
#include "core/Modulo1.h"
#include "platform/Desktop.h"
#include "platform/Filmato.h"
#include "profile/FormConfigura.h"
#include "profile/Pupils.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Cartella = QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/");

struct Configura {
    TestEnv env;
    FormConfigura *w = nullptr;

    explicit Configura(const std::function<void(TestEnv &)> &prepare = {})
    {
        env.language(QStringLiteral("Italiano"),
                     QStringLiteral("[Strings]\n0053=ms\n0054=mp\n0055=fs\n0056=fp\n"));
        env.currentLanguage(QStringLiteral("Italiano"));
        env.state->LinguaCorrente = QStringLiteral("Italiano");
        env.ship(QStringLiteral("swf/vorbe.svg"));
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/dati"));
        env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("_predefinito.INI");
        env.state->NomeUtente = QStringLiteral("_predefinito");
        CaricaPalette(*env.state);
        if (prepare)
            prepare(env);
        RegistraFinestre(*env.state);
        w = env.windows->get<FormConfigura>(QStringLiteral("FormConfigura"));
        w->show();
    }
    Profilo &p() { return env.state->profilo; }
    Profilo salvato(const QString &file) const
    {
        Profilo out;
        ProfiloDaBytes(env.get(Cartella + file), &out);
        return out;
    }
    void scriviUtente(const QString &file, qint16 modo)
    {
        Profilo q;
        q.ModoInput = modo;
        env.put(Cartella + file, ProfiloInBytes(q));
    }
    QStringList fileProfili() const
    {
        return QDir(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello"))
            .entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

class TestConfigura : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QStandardPaths::setTestModeEnabled(true);
    }

    // Choosing a pupil saves the current one, loads the chosen file (whatever the case of its
    // name) and starts an empty log; saving again writes the same file, not a twin. When the
    // current pupil cannot be saved the pupil stays: loading over the settings would lose them.
    void chooseUser_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::newRow("saved") << false;
        QTest::newRow("save fails") << true;
    }
    void chooseUser()
    {
        QFETCH(bool, unsaved);
        Configura c([&](TestEnv &env) {
            if (unsaved) // the current pupil's file is a folder
                QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"));
            env.state->registro.iniziaEsercizio(QStringLiteral("Vero o falso"));
        });
        c.scriviUtente(QStringLiteral("Anna.ini"), 2);
        c.p().ModoInput = 1;
        c.w->OptionUtente[1]->click();
        QCOMPARE(c.w->ListModificaUtente->count(), 1);
        c.env.dialogs.messages.clear();
        c.w->ListModificaUtente->item(0)->setSelected(true);
        QCOMPARE(c.env.dialogs.messages.size(), unsaved ? 1 : 0);
        if (unsaved) {
            QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito"));
            QCOMPARE(c.p().ModoInput, qint16(1));
            QVERIFY(c.w->ListModificaUtente->selectedItems().isEmpty());
            return;
        }
        QCOMPARE(c.salvato(QStringLiteral("_predefinito.INI")).ModoInput, qint16(1));
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("ANNA"));
        QCOMPARE(c.w->Label4->text(), QStringLiteral("ANNA"));
        QCOMPARE(c.p().ModoInput, qint16(2));
        QCOMPARE(c.env.state->registro.righe(), 0);
        c.p().ModoInput = 3;
        QVERIFY(SalvaProfilo(*c.env.state));
        QCOMPARE(c.fileProfili(), (QStringList{"Anna.ini", "_predefinito.INI"}));
        QCOMPARE(c.salvato(QStringLiteral("Anna.ini")).ModoInput, qint16(3));
    }

    void newUser_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pupil"); // empty: refused
        QTest::addColumn<int>("mode");      // the new pupil's input mode once taken up
        // Typing "Anna" once took up "Ann" on the way.
        QTest::newRow("only a whole name takes a pupil up") << "Anna" << "Anna" << 2;
        // Another pupil's settings would have been written over that pupil's.
        QTest::newRow("a pupil with a file") << "marco" << "MARCO" << 3;
        QTest::newRow("a way out of the folder") << "../../evil" << "" << 0;
    }
    // A new pupil's name is taken when the teacher leaves the box; only that pupil's file is
    // written, inside the profile folder. A refused name is told and kept to be mended, and the
    // window stays: its settings were once cut to "Anna" or written into the pupil before.
    void newUser()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pupil);
        QFETCH(int, mode);
        Configura c;
        c.scriviUtente(QStringLiteral("Ann.ini"), 1);
        c.scriviUtente(QStringLiteral("MARCO.ini"), 3);
        c.w->OptionUtente[2]->click();
        const QStringList before = c.fileProfili();
        const QByteArray predefinito = c.env.get(Cartella + QStringLiteral("_predefinito.INI"));
        QTest::keyClicks(c.w->TextNuovoUtente, typed);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito")); // not yet taken
        QTest::keyClick(c.w->TextNuovoUtente, Qt::Key_Return);
        if (mode == 3) { // a pupil with a file brings its own settings
            QCOMPARE(c.p().ModoInput, qint16(3));
        } else { // a new pupil keeps the settings on screen; one is then changed for it
            QCOMPARE(c.p().ModoInput, qint16(0));
            c.p().ModoInput = 2;
        }
        c.w->mnuEsci->trigger();
        QCOMPARE(c.env.get(Cartella + QStringLiteral("_predefinito.INI")), predefinito);
        QCOMPARE(c.salvato(QStringLiteral("Ann.ini")).ModoInput, qint16(1));
        if (pupil.isEmpty()) {
            QCOMPARE(c.env.dialogs.messages.size(), 2); // on leaving the box, then on leaving
            QVERIFY(c.env.dialogs.messages[0].contains(typed));
            QVERIFY(c.w->isVisible());
            QCOMPARE(c.w->TextNuovoUtente->text(), typed);
            // Going on to another choice goes back to the pupil before, as last saved.
            c.w->OptionUtente[0]->click();
            QCOMPARE(c.p().ModoInput, qint16(0));
            QCOMPARE(c.env.get(Cartella + QStringLiteral("_predefinito.INI")), predefinito);
            QCOMPARE(c.fileProfili(), before);
            return;
        }
        QVERIFY(c.env.dialogs.messages.isEmpty());
        QCOMPARE(c.env.state->NomeUtente.toUpper(), pupil.toUpper());
        QCOMPARE(c.salvato(pupil + QStringLiteral(".ini")).ModoInput, qint16(mode));
    }

    // Renaming takes the pupil's profile, access settings and history along, or changes
    // nothing when the name is another pupil's; deleting removes all three and leaves the
    // default pupil current. Other pupils are untouched throughout.
    void renameAndDelete()
    {
        const QByteArray accesso = "[Speech]\r\nReadSentences=1\r\n";
        Configura c([&](TestEnv &env) {
            env.state->fileStoria = env.driveC() + QStringLiteral("/storia.sqlite");
            for (const char *pupil : {"ANNA", "LUCA", "CARLO"}) // Carlo: history, no profile
                QVERIFY(env.state->storia()->record(
                    {QString::fromLatin1(pupil), QStringLiteral("Vero o falso"), 1, 3, 1,
                     QDateTime::currentDateTime(), {}}));
        });
        c.scriviUtente(QStringLiteral("Anna.ini"), 2);
        c.scriviUtente(QStringLiteral("Luca.ini"), 1);
        c.env.put(Cartella + QStringLiteral("Anna.access.ini"), accesso);
        const QByteArray luca = c.env.get(Cartella + QStringLiteral("Luca.ini"));
        History *storia = c.env.state->storia();
        auto corse = [&](const char *pupil) {
            return storia->runs(QString::fromLatin1(pupil), QDateTime::currentDateTime().addDays(-1),
                                QDateTime::currentDateTime().addDays(1)).size();
        };

        c.w->OptionUtente[1]->click();
        QVERIFY(!c.w->CommandRinominaUtente->isEnabled());
        c.w->ListModificaUtente->findItems(QStringLiteral("ANNA"), Qt::MatchExactly)[0]->setSelected(true);
        QVERIFY(c.w->CommandRinominaUtente->isEnabled());

        const QStringList prima = c.fileProfili();
        for (const QString &altro : {QStringLiteral("luca "), QStringLiteral("Carlo")}) {
            c.env.dialogs.messages.clear();
            c.env.dialogs.inputs = {altro};
            c.w->CommandRinominaUtente->click();
            QCOMPARE(c.env.dialogs.messages.size(), 1);
            QCOMPARE(c.env.state->NomeUtente, QStringLiteral("ANNA"));
            QCOMPARE(c.fileProfili(), prima);
            QCOMPARE(corse("ANNA"), 1);
        }
        c.env.dialogs.messages.clear();

        c.env.dialogs.inputs = {QStringLiteral("Bea")};
        c.w->CommandRinominaUtente->click();
        QVERIFY(c.env.dialogs.messages.isEmpty());
        QCOMPARE(c.fileProfili(), QStringList({QStringLiteral("Bea.access.ini"), QStringLiteral("Bea.ini"),
                                               QStringLiteral("Luca.ini"), QStringLiteral("_predefinito.INI")}));
        QCOMPARE(c.salvato(QStringLiteral("Bea.ini")).ModoInput, qint16(2));
        QVERIFY(AccessSettings::fromBytes(c.env.get(Cartella + QStringLiteral("Bea.access.ini"))).readSentences);
        QCOMPARE(corse("BEA"), 1);
        QCOMPARE(corse("ANNA"), 0);
        QCOMPARE(c.w->Label4->text(), QStringLiteral("Bea"));
        QCOMPARE(c.w->ListModificaUtente->selectedItems().first()->text(), QStringLiteral("BEA"));

        c.w->CommandEliminaUtente->click(); // the teacher says no
        QVERIFY(c.env.exists(Cartella + QStringLiteral("Bea.ini")));
        c.env.dialogs.answers = {true};
        c.w->CommandEliminaUtente->click();
        QCOMPARE(c.fileProfili(), QStringList({QStringLiteral("Luca.ini"), QStringLiteral("_predefinito.INI")}));
        QCOMPARE(corse("BEA"), 0);
        QCOMPARE(corse("LUCA"), 1);
        QCOMPARE(c.env.get(Cartella + QStringLiteral("Luca.ini")), luca);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito"));
        QVERIFY(!c.w->CommandEliminaUtente->isEnabled());
    }

    // A history that is there but cannot be opened keeps the pupil as it is: renamed or deleted
    // without it, the pupil would leave its history to the next one given its name.
    void pupilStaysWithoutItsHistory()
    {
        Configura c([](TestEnv &env) {
            env.state->fileStoria = env.driveC() + QStringLiteral("/storia.sqlite");
            QVERIFY(QDir().mkpath(env.state->fileStoria));
        });
        c.scriviUtente(QStringLiteral("Anna.ini"), 2);
        c.w->OptionUtente[1]->click();
        c.w->ListModificaUtente->item(0)->setSelected(true);
        const QStringList prima = c.fileProfili();
        c.env.dialogs.inputs = {QStringLiteral("Bea")};
        c.w->CommandRinominaUtente->click();
        c.env.dialogs.answers = {true};
        c.w->CommandEliminaUtente->click();
        QCOMPARE(c.fileProfili(), prima);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("ANNA"));
    }

    // A pupil's name becomes a file name in the profile folder.
    void userNames()
    {
        for (const char *good : {"Anna", "Anna Maria", "A.B", "console", "com0"})
            QVERIFY2(Pupils::nomeValido(QString::fromLatin1(good)), good);
        for (const char *bad : {"", "   ", ".", "..", "a..b", "a\\b", "a/b", "c:", "a*", "a?", "a\"b",
                                "a<b", "a|b", "a\tb", "con", "CON.x", "nul", "com1", "LPT9",
                                "Anna.Access"})
            QVERIFY2(!Pupils::nomeValido(QString::fromLatin1(bad)), bad);
        // Names become file names of at most 255 bytes, with room for what goes beside them.
        QVERIFY(Pupils::nomeValido(QString(200, u'a')));
        QVERIFY(!Pupils::nomeValido(QString(201, u'a')));
        QVERIFY(!Pupils::nomeValido(QString(100, QChar(0x732B)))); // 300 bytes in UTF-8
    }

    // The cursive choice shows the cursive letters as tall as the other choices' (it was
    // drawn about 5 pixels tall).
    void cursiveReadable()
    {
        QVERIFY(!Fonts::registerForProgram(QStringLiteral(VORBELLO_SOURCE_DATA "/indis1.ttf"),
                                           QStringLiteral("Indis1")).isEmpty());
        Configura c;
        const auto alto = [](const QAbstractButton *b) {
            return QFontMetrics(b->font()).tightBoundingRect(b->text()).height();
        };
        QVERIFY(alto(c.w->corsivo) >= alto(c.w->minuscolo));
    }

    // A colour row takes the colour and asks for its four names (a cancelled one is empty);
    // they reach the option's caption, the preview and, unchanged, the saved profile.
    void paletteColour()
    {
        Configura c;
        c.w->TabStrip1->setCurrentIndex(1);
        c.env.dialogs.inputs = {QStringLiteral("blu, scuro"), std::nullopt, QStringLiteral("a&b"),
                                QStringLiteral("d")};
        auto expected = c.p().TabellaColori;
        c.w->Option2[1]->click();
        QTest::mouseClick(c.w->CasellaColorata[100], Qt::LeftButton);
        const QString hex = c.env.state->ColoriHex[100];
        QCOMPARE(c.env.dialogs.prompts, (QStringList{"ms", "mp", "fs", "fp"}));
        expected[1] = {hex, QStringLiteral("blu, scuro"), QString(), QStringLiteral("a&b"), QStringLiteral("d")};
        QVERIFY(c.p().TabellaColori == expected);
        QCOMPARE(c.w->Option2[1]->text(), QStringLiteral("blu, scuro -  - a&&b - d"));
        const QString doc = QString::fromUtf8(c.w->ShockwaveFlash1->document());
        const qsizetype at = doc.indexOf(QStringLiteral("id=\"tazza1.interno\""));
        const qsizetype start = doc.lastIndexOf(QLatin1Char('<'), at);
        const QString tag = doc.mid(start, doc.indexOf(QLatin1Char('>'), at) - start);
        QVERIFY2(tag.contains(QStringLiteral("fill=\"#") + hex, Qt::CaseInsensitive), qPrintable(tag));
        c.w->close(); // by the window frame: saved as by the exit menu
        QVERIFY(c.salvato(QStringLiteral("_predefinito.INI")).TabellaColori == expected);
        QWidget *menu = c.env.windows->find(QStringLiteral("FormMenu"));
        QVERIFY(menu && menu->isVisible() && !c.env.windows->find(QStringLiteral("FormConfigura")));
    }
};

QTEST_MAIN(TestConfigura)
#include "tst_configura.moc"
