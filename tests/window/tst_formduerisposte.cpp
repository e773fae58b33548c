// The exercise windows with a sentence and two answers: counting, levels, rewards, switches,
// log rows and the way back to the menu, driven as a pupil would.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "exercises/FormEs1.h"
#include "exercises/FormEs2.h"
#include "scanning/ScanBox.h"
#include "platform/Filmato.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

class TestFormDueRisposte : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Two wrong clicks and the right one: every click counts, with its sound, and only the right
    // one opens the way to the next exercise. (The panels are the shared frame's: tst_formes8.)
    void mouseAnswers()
    {
        Finestra f;
        auto *w = f.apri<FormEs1>("FormEs1");
        QVERIFY(w->Label1->text().endsWith(QLatin1Char('.')));
        QVERIFY(!w->Command1[2]->isEnabled());
        const int wrong = 1 - w->Soluzione;
        QTest::mouseClick(w->Command1[wrong], Qt::LeftButton);
        QTest::mouseClick(w->Command1[wrong], Qt::LeftButton);
        QVERIFY(!w->Command1[2]->isEnabled());
        QTest::mouseClick(w->Command1[w->Soluzione], Qt::LeftButton);
        QCOMPARE(w->flow().wrongAnswers(), 2);
        QCOMPARE(w->flow().rightAnswers(), 1);
        QCOMPARE(f.sbagliate(), 2);
        QCOMPARE(f.giuste(), 1);
        QVERIFY(w->Command1[2]->isEnabled() && !w->Command1[0]->isEnabled());
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QVERIFY(w->Command1[0]->isEnabled() && !w->Command1[2]->isEnabled());
    }

    void pictureAfterReward_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("switches");
        QTest::newRow("true or false, keyboard") << "FormEs1" << true;
        QTest::newRow("same or different, mouse") << "FormEs2" << false;
    }
    // After the first reward the movie is reloaded before every exercise; a sentence that goes
    // on with the same picture must still be shown that picture, not the bare movie.
    void pictureAfterReward()
    {
        QFETCH(QString, window);
        QFETCH(bool, switches);
        Finestra f([switches](Profilo &p) { p.ModoInput = switches ? 3 : 0; });
        auto *w = f.apri<FormDueRisposte>(window.toLatin1().constData());
        auto answer = [&] {
            if (!switches) {
                w->Command1_Click(w->Soluzione);
                return;
            }
            if (w->Soluzione == 1)
                QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Left);
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        };
        auto next = [&] {
            if (switches)
                QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
            else
                w->Command1_Click(2);
        };
        for (int i = 0; i < 10; ++i) {
            answer();
            QCOMPARE(w->flow().rightAnswers(), i + 1);
            if (i < 9)
                next();
        }
        QVERIFY(w->RicaricaFilmato);
        next(); // a new picture after the reward
        QCOMPARE(w->CicloColori, 1);
        QList<QByteArray> drawn;
        for (Filmato *film : std::as_const(w->ShockwaveFlash))
            drawn.append(film->document());
        answer();
        next(); // the same picture, a new sentence
        QVERIFY(w->CicloColori != 1);
        for (int i = 0; i < w->ShockwaveFlash.size(); ++i)
            QVERIFY2(w->ShockwaveFlash[i]->document() == drawn[i], qPrintable(QString::number(i)));
    }

    // A level chosen from the menu while the highlight waits on "next" gives a new exercise
    // whose answers the switches reach.
    void levelWhileParked()
    {
        Finestra f([](Profilo &p) { p.ModoInput = 3; }, true);
        auto *w = f.apri<FormEs1>("FormEs1");
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return); // right: parks on "next"
        QCOMPARE(w->Selezionato(), 2);
        w->mnuLiv_Click(2);
        QCOMPARE(w->Selezionato(), 0);
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Left);
        QCOMPARE(w->Selezionato(), 1);
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        QCOMPARE(w->flow().wrongAnswers(), 1);
    }

    void avantiLooksAsItActs_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("dopo"); // what follows the right answer
        QTest::addColumn<bool>("evidenziato");
        QTest::addColumn<bool>("vivo");
        QTest::newRow("parked by the switches") << 3 << "" << true << true;
        QTest::newRow("pointer gone onto the picture") << 0 << "leave" << false << true;
        QTest::newRow("clicked: the next exercise") << 0 << "click" << false << false;
    }
    // "Next" shows what a press on it does: live (its arrow in full colour) while it waits, the
    // highlight only while the switches are parked on it, no hover colour left behind once the
    // pointer has gone or the next exercise came.
    void avantiLooksAsItActs()
    {
        QFETCH(int, modo);
        QFETCH(QString, dopo);
        QFETCH(bool, evidenziato);
        QFETCH(bool, vivo);
        Finestra f([modo](Profilo &p) { p.ModoInput = modo; }, true);
        auto *w = f.apri<FormEs1>("FormEs1");
        QVERIFY(QTest::qWaitForWindowExposed(w));
        ColorButton *avanti = w->Command1[2];
        if (modo != 0) {
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        } else {
            QTest::mouseClick(w->Command1[w->Soluzione], Qt::LeftButton);
            QTest::mouseMove(avanti);
            if (dopo == QLatin1String("leave"))
                QTest::mouseMove(w->ShockwaveFlash[0]);
            else
                QTest::mouseClick(avanti, Qt::LeftButton);
        }
        QCOMPARE(w->flow().waitingForNext(), vivo);
        const QImage img = avanti->grab().toImage();
        const Profilo &p = f.env.state->profilo;
        QCOMPARE(img.pixelColor(6, img.height() / 2),
                 ColoreDaCodice(evidenziato ? p.ColoreSelezione : p.ColoreBottoni));
        // The middle of the white arrow; a dead button draws it faded.
        QCOMPARE(img.pixelColor(img.rect().center()) == QColor(Qt::white), vivo);
    }

    // Same or different: a right click completes the sentence with the chosen word, after the
    // blank the sentence keeps for it.
    void completedSentence()
    {
        Finestra f;
        auto *w = f.apri<FormEs2>("FormEs2");
        const QString before = w->Label1->text();
        QVERIFY(!before.endsWith(QLatin1Char('.')));
        const int s = w->Soluzione;
        w->Command1_Click(s);
        QCOMPARE(w->Label1->text(), before + QLatin1Char(' ') + w->Command1[s]->text());
        QCOMPARE(w->flow().rightAnswers(), 1);
    }

};

QTEST_MAIN(TestFormDueRisposte)
#include "tst_formduerisposte.moc"
