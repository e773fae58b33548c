#include "FullDisk.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "app/Main.h"
#include "core/Modulo1.h"
#include "core/RandomSource.h"
#include "core/SvgPicture.h"
#include "lang/modLanguageSupport.h"
#include "menu/FormMenu.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QComboBox>
#include <QStandardPaths>
#include <QTest>
#include <QPointer>

namespace {

const QString Lingua = QStringLiteral(
    "[Strings]\n0062=trova le\n0063=differenze\n0064=Vero o falso\n0065=Uguale\n0066=Differenze\n"
    "0067=Insiemi\n0068=Intrusi\n0069=Tazza\n");

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

    // Only profiles are offered as users: not a file whose name reads as a path, nor the
    // access settings kept beside a profile (taken for a profile, the pupil's would be set aside
    // as damaged).
    void onlyProfilesOffered()
    {
        Menu m([](TestEnv &env) {
            QVERIFY(SalvaProfilo(*env.state));
            env.put(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/x\\..\\..\\evil.ini"), "x");
            env.put(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.access.ini"),
                    "[Speech]\r\nSpeakScanning=1\r\n");
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

    void captionsFit_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1280x800") << QSize(1280, 800);
    }
    // Every caption fits its button, not only the Italian word the size is first measured on:
    // the English words are wider.
    void captionsFit()
    {
        QFETCH(QSize, size);
        Menu m;
        m.show();
        m.menu->Command1[2]->setText(QStringLiteral("\r\nFIND THE\r\nDIFFERENCES"));
        m.menu->Command1[5]->setText(QStringLiteral("\r\nFIND THE ODD ONES OUT"));
        m.menu->resize(size);
        QTRY_COMPARE(m.menu->size(), size);
        for (ColorButton *b : std::as_const(m.menu->Command1))
            QVERIFY2(b->didascaliaEntra(b->font()), qPrintable(b->text()));
    }

    // A language change re-translates the menu at once, with the sentence pieces the exercises
    // build from, and is recorded; the captions lose the line break until the window is loaded
    // again.
    void languageSwitch()
    {
        Menu m;
        m.show();
        m.menu->mnuLanguage[0]->trigger(); // English
        QCOMPARE(m.menu->Command1[0]->text(), QStringLiteral("True or false"));
        QCOMPARE(m.menu->Command1[2]->text(), QStringLiteral("\r\nfind the\r\ndifferences"));
        QVERIFY(m.menu->mnuLanguage[0]->isChecked());
        QVERIFY(!m.menu->mnuLanguage[1]->isChecked());
        QCOMPARE(m.env.state->Frasi[0], QStringLiteral("Right"));
        QCOMPARE(LinguaImpostata(*m.env.state), QStringLiteral("English"));
        QVERIFY(m.env.dialogs.messages.isEmpty());
    }

};

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
