#include "FullDisk.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "about/FormInfo.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "app/Main.h"
#include "core/Modulo1.h"
#include "core/RandomSource.h"
#include "core/SvgPicture.h"
#include "lang/modLanguageSupport.h"
#include "menu/FormMenu.h"
#include "scanning/ScanBox.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QComboBox>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QPointer>
#include <QTestEventList>

namespace {

const QString Lingua = QStringLiteral(
    "[Strings]\n0062=trova le\n0063=differenze\n0064=Vero o falso\n0065=Uguale\n0066=Differenze\n"
    "0067=Insiemi\n0068=Intrusi\n0069=Tazza\n9998=Solo questa\n"
    "[FormMenu]\nCommand1(0).Caption=Vero o falso\nCommand1(6).Caption=Esci\n"
    "mnuConfigura.Caption=Configurazione\n");

struct Menu
{
    TestEnv env;
    FormMenu *menu = nullptr;
    int exitCode = -1;

    ClockRandom seeded{3};

    explicit Menu(const std::function<void(TestEnv &)> &prepare = {})
    {
        // The exercises a choice opens draw their cups; constant draws would never find two
        // different colours.
        env.state->random = &seeded;
        env.language(QStringLiteral("Italiano"), Lingua);
        env.language(QStringLiteral("English"),
                     QStringLiteral("[Strings]\n0003=Right\n0062=find the\n0063=differences\n"
                                    "[FormMenu]\nCommand1(0).Caption=True or false\n"));
        env.currentLanguage(QStringLiteral("Italiano"));
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/dati"));
        env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("_predefinito.INI");
        env.state->NomeUtente = QStringLiteral("_predefinito");
        env.state->esci = [this](int code) { exitCode = code; };
        if (prepare)
            prepare(env);
        RegistraFinestre(*env.state);
        menu = env.windows->get<FormMenu>(QStringLiteral("FormMenu"));
    }
    void show()
    {
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
    }
    QString profileFile() const
    {
        return env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI");
    }
    QColor highlight() const { return ColoreDaCodice(env.state->profilo.ColoreSelezione); }
    int highlighted() const
    {
        int found = -1;
        for (int i = 0; i < FormMenu::NumeroScelte; ++i)
            if (menu->Command1[i]->sfondo() == highlight())
                found = found == -1 ? i : -2;
        return found;
    }
};

} // namespace

class TestMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QStandardPaths::setTestModeEnabled(true);
    }

    // Captions keep a leading line break; button 2 is built from two numbered strings.
    void loadCaptions()
    {
        Menu m;
        QCOMPARE(m.menu->Command1[0]->text(), QStringLiteral("\r\nVero o falso"));
        QCOMPARE(m.menu->Command1[6]->text(), QStringLiteral("\r\nEsci"));
        QCOMPARE(m.menu->Command1[2]->text(), QStringLiteral("\r\ntrova le\r\ndifferenze"));
        QCOMPARE(m.menu->mnuLanguage.size(), 2);
        QVERIFY(m.menu->mnuLanguage[1]->isChecked()); // "Italiano" comes after "English"
    }

    // Starting an exercise logs its name in row 1 after a fresh start, whatever TieniTraccia
    // says; the log entry of the menu is shown only with TieniTraccia.
    void logRows()
    {
        Menu m;
        m.show();
        QVERIFY(!m.menu->mnuEserciziEseguiti->isVisible());
        m.menu->AvviaEsercizi(2);
        QCOMPARE(m.env.state->registro.righe(), 1);
        QCOMPARE(m.env.state->registro.riga(1)[0], QStringLiteral("Differenze"));
        QVERIFY(m.env.state->registro.riga(0)[0].isEmpty());
        m.menu->AvviaEsercizi(7); // not a choice
        QCOMPARE(m.env.state->registro.righe(), 1);
        m.env.state->profilo.TieniTraccia = true;
        m.menu->ImpostaUtente();
        QVERIFY(m.menu->mnuEserciziEseguiti->isVisible());
    }

    // A second click (or a bouncing switch) already queued while the first choice opens its
    // exercise must not open and log another exercise.
    void secondChoiceIgnored()
    {
        Menu m;
        m.show();
        QPointer<QWidget> other = m.menu->Command1[1];
        const QPointF in(5, 5);
        QCoreApplication::postEvent(other, new QMouseEvent(QEvent::MouseButtonPress, in,
                                                           other->mapToGlobal(in), Qt::LeftButton,
                                                           Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(other, new QMouseEvent(QEvent::MouseButtonRelease, in,
                                                           other->mapToGlobal(in), Qt::LeftButton,
                                                           Qt::NoButton, Qt::NoModifier));
        m.menu->AvviaEsercizi(0);
        QCoreApplication::processEvents();
        QCOMPARE(m.env.state->registro.righe(), 1);
        QVERIFY(m.env.windows->find(QStringLiteral("FormEs1")));
        QVERIFY(!m.env.windows->find(QStringLiteral("FormEs2")));
    }

    // With the log full the menu still opens the exercise chosen.
    void logFull()
    {
        Menu m;
        while (m.env.state->registro.iniziaEsercizio(QStringLiteral("x"))) {
        }
        m.menu->AvviaEsercizi(0);
        QWidget *exercise = m.env.windows->find(QStringLiteral("FormEs1"));
        QVERIFY(exercise && exercise->isVisible());
    }

    // Quitting saves the profile even when nothing changed, then ends the program.
    void quitSaves()
    {
        Menu m;
        QVERIFY(!QFile::exists(m.profileFile()));
        m.menu->AvviaEsercizi(6);
        QVERIFY(QFile::exists(m.profileFile()));
        QCOMPARE(m.exitCode, 0);
        QVERIFY(!m.env.state->Ridimensionatore);
    }

    // Letter case of captions and of the user list follows the profile.
    void letterCase_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("user");
        QTest::newRow("maiuscolo") << "maiuscolo" << "\r\nVERO O FALSO" << "_PREDEFINITO";
        QTest::newRow("minuscolo") << "minuscolo" << "\r\nvero o falso" << "_predefinito";
        QTest::newRow("corsivo") << "corsivo" << "\r\nvero o falso" << "_predefinito";
    }
    void letterCase()
    {
        QFETCH(QString, style);
        QFETCH(QString, caption);
        QFETCH(QString, user);
        Menu m([&](TestEnv &env) {
            env.state->profilo.TipoCarattere = style;
            QVERIFY(SalvaProfilo(*env.state));
        });
        m.show();
        QCOMPARE(m.menu->Command1[0]->text(), caption);
        QCOMPARE(m.menu->Combo1->itemText(0), user);
        QVERIFY(!m.menu->Combo1->isVisible());
        QCOMPARE(m.menu->Command1[0]->accessibleName(), caption.simplified());
    }

    // Every activation rewrites the current user's profile and reads it back.
    void activationRewritesProfile()
    {
        Menu m([](TestEnv &env) { QVERIFY(SalvaProfilo(*env.state)); });
        QFile f(m.profileFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Append));
        f.write("extra line kept until the next save\r\n");
        f.close();
        m.show();
        QVERIFY(!m.env.get(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"))
                     .contains("extra line"));
    }

    // A profile file whose name reads as a path is not offered as a user.
    void pathLikeUserNamesSkipped()
    {
        Menu m([](TestEnv &env) {
            QVERIFY(SalvaProfilo(*env.state));
            env.put(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/x\\..\\..\\evil.ini"), "x");
        });
        m.show();
        QCOMPARE(m.menu->Combo1->count(), 1);
        QCOMPARE(m.menu->Combo1->itemText(0), QStringLiteral("_predefinito"));
    }

    // A save that fails (a full disk) keeps the settings in use and the pupil: every menu
    // activation once said so and then reloaded the old file over them.
    void failedSaveKeepsSettings()
    {
        Menu m([](TestEnv &env) {
            env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("Anna.ini");
            env.state->NomeUtente = QStringLiteral("Anna");
            QVERIFY(SalvaProfilo(*env.state));
        });
        m.show();
        m.env.state->profilo.ModoInput = 3;
        m.env.state->profilo.DimensioneFont = 40;
        m.env.dialogs.messages.clear();
        {
            FullDisk full;
            m.menu->RecuperaUtenti(); // as each activation of the menu does
        }
        QCOMPARE(m.env.dialogs.messages.size(), 1);
        QCOMPARE(m.env.state->NomeUtente, QStringLiteral("Anna"));
        QCOMPARE(m.env.state->profilo.ModoInput, qint16(3));
        QCOMPARE(m.env.state->profilo.DimensioneFont, qint16(40));
    }

    // Switching user through the list saves the old one, loads the new one and empties the log.
    void userSwitchClearsLog()
    {
        Menu m([](TestEnv &env) {
            QVERIFY(SalvaProfilo(*env.state));
            env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("Anna.ini");
            env.state->profilo.ModoInput = 3;
            QVERIFY(SalvaProfilo(*env.state));
            env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("_predefinito.INI");
            env.state->profilo = Profilo();
        });
        m.show();
        m.env.state->registro.iniziaEsercizio(QStringLiteral("x"));
        m.menu->Combo1->setCurrentIndex(m.menu->Combo1->findText(QStringLiteral("Anna")));
        Q_EMIT m.menu->Combo1->activated(m.menu->Combo1->currentIndex());
        QCOMPARE(m.env.state->NomeUtente, QStringLiteral("Anna"));
        QCOMPARE(m.env.state->profilo.ModoInput, qint16(3));
        QCOMPARE(m.env.state->registro.righe(), 0);
        QVERIFY(m.env.state->registro.riga(1)[0].isEmpty());
    }

    // Switch presses through the real focus holders, per mode: where the highlight ends and
    // which choice was made (a choice of a missing window is logged and the menu stays).
    void keys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<int>("highlighted");
        QTest::addColumn<int>("logged");
        QTestEventList six;
        for (int i = 0; i < 6; ++i)
            six.addKeyClick(Qt::Key_Space);
        QTest::newRow("mode 1: six spaces") << 1 << six << 6 << 0;
        QTestEventList wrap = six;
        wrap.addKeyClick(Qt::Key_Space);
        QTest::newRow("mode 1: wrap") << 1 << wrap << 0 << 0;
        QTestEventList enter;
        enter.addKeyClick(Qt::Key_Space);
        enter.addKeyClick(Qt::Key_Return);
        QTest::newRow("mode 1: enter chooses") << 1 << enter << 1 << 1;
        QTestEventList left;
        left.addKeyClick(Qt::Key_Left);
        QTest::newRow("mode 3: left wraps") << 3 << left << 6 << 0;
        QTestEventList downEnter;
        downEnter.addKeyClick(Qt::Key_Down);
        downEnter.addKeyClick(Qt::Key_Down);
        downEnter.addKeyClick(Qt::Key_Up);
        downEnter.addKeyClick(Qt::Key_Enter);
        QTest::newRow("mode 3: down down up enter") << 3 << downEnter << 1 << 1;
        QTestEventList held;
        held.addKeyPress(Qt::Key_Space);
        held.addKeyPress(Qt::Key_Space, Qt::NoModifier, 0); // a desktop's autorepeat is dropped
        held.addKeyRelease(Qt::Key_Space);
        QTest::newRow("mode 2: space before a tick chooses 0") << 2 << held << -1 << 1;
    }
    void keys()
    {
        QFETCH(int, mode);
        QFETCH(QTestEventList, events);
        QFETCH(int, highlighted);
        QFETCH(int, logged);
        Menu m([&](TestEnv &env) { env.state->profilo.ModoInput = qint16(mode); });
        m.show();
        ScanBox *box = mode == 2 ? m.menu->PictureScansioneAutomatica : m.menu->PictureScansioneManuale;
        QVERIFY(box->isVisible());
        events.simulate(box);
        QCOMPARE(m.highlighted(), highlighted);
        QCOMPARE(m.env.state->registro.righe(), logged);
    }

    // In scanning modes the mouse does nothing; in mouse mode hovering highlights and the free
    // area clears it.
    void mouse()
    {
        Menu m([](TestEnv &env) { env.state->profilo.ModoInput = 1; });
        m.show();
        QTest::mouseClick(m.menu->Command1[3], Qt::LeftButton);
        QCOMPARE(m.env.state->registro.righe(), 0);

        m.env.state->profilo.ModoInput = 0;
        m.menu->ImpostaUtente();
        const QPointF in(5, 5);
        QEnterEvent enter(in, in, m.menu->Command1[4]->mapToGlobal(in));
        QApplication::sendEvent(m.menu->Image1[4], &enter); // the picture counts as the button
        QCOMPARE(m.highlighted(), 4);
        // Moving on over the choice reaches the window too, and must not clear it.
        QMouseEvent over(QEvent::MouseMove, in, m.menu->Command1[4]->mapToGlobal(in), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m.menu->Command1[4], &over);
        QCOMPARE(m.highlighted(), 4);
        const QPointF free(2, m.menu->height() - 3);
        QMouseEvent move(QEvent::MouseMove, free, m.menu->mapToGlobal(free), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m.menu, &move);
        QCOMPARE(m.highlighted(), -1);
        QTest::mouseClick(m.menu->Command1[3], Qt::LeftButton);
        QCOMPARE(m.env.state->registro.righe(), 1);
    }

    // A language change re-translates the menu at once and is recorded; the captions lose the
    // line break until the window is loaded again.
    void languageSwitch()
    {
        Menu m;
        m.show();
        m.menu->mnuLanguage[0]->trigger(); // English
        QCOMPARE(m.menu->Command1[0]->text(), QStringLiteral("True or false"));
        QCOMPARE(m.menu->Command1[2]->text(), QStringLiteral("\r\nfind the\r\ndifferences"));
        QVERIFY(m.menu->mnuLanguage[0]->isChecked());
        QVERIFY(!m.menu->mnuLanguage[1]->isChecked());
        QCOMPARE(LinguaImpostata(*m.env.state), QStringLiteral("English"));
    }

    // No language file at all: the fixed message, and the menu keeps its one entry.
    void noLanguageFiles()
    {
        TestEnv env;
        RegistraFinestre(*env.state);
        auto *menu = env.windows->get<FormMenu>(QStringLiteral("FormMenu"));
        QCOMPARE(env.dialogs.messages,
                 QStringList{QString::fromUtf8("Non è presente alcun file di linguaggio!")});
        QCOMPARE(menu->mnuLanguage.size(), 1);
    }

    // The optional About lines: empty keys are left out, each kept one ends with a line break.
    void aboutLines_data()
    {
        QTest::addColumn<QString>("strings");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << "" << "";
        QTest::newRow("only 9998") << "9998=Solo questa\n" << "Solo questa\r\n";
        QTest::newRow("all") << "9996=a\n9997=b\n9998=c\n9999=d\n" << "a\r\nb\r\nc\r\nd\r\n";
        QTest::newRow("gap") << "9996=a\n9997=\n9999=d\n" << "a\r\nd\r\n";
    }
    void aboutLines()
    {
        QFETCH(QString, strings);
        QFETCH(QString, expected);
        TestEnv env;
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n") + strings);
        env.currentLanguage(QStringLiteral("Italiano"));
        RegistraFinestre(*env.state);
        auto *info = env.windows->get<FormInfo>(QStringLiteral("FormInfo"));
        info->show();
        QCOMPARE(info->Label4->text(), expected);
        QCOMPARE(FormInfo::testoLingua(*env.state), expected);
    }

    // The About window's close button leads back to a fresh menu.
    void aboutCloses()
    {
        Menu m;
        m.menu->mnuAbout->trigger();
        QWidget *info = m.env.windows->find(QStringLiteral("FormInfo"));
        QVERIFY(info);
        QVERIFY(!m.env.windows->find(QStringLiteral("FormMenu")));
        static_cast<FormInfo *>(info)->Command1->click();
        QVERIFY(m.env.windows->find(QStringLiteral("FormMenu")));
        QVERIFY(!m.env.windows->find(QStringLiteral("FormInfo")));
    }
};

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
