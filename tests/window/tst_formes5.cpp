// Sets: cups judged one after another against a sentence, sorted into two groups of ten.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "exercises/FormEs5.h"
#include "scanning/ScanBox.h"
#include "platform/Filmato.h"

#include <QLabel>
#include <QTest>

namespace {

int shown(const QList<Filmato *> &group)
{
    return int(std::count_if(group.begin(), group.end(), [](Filmato *f) { return f->isVisible(); }));
}

} // namespace

class TestFormEs5 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // A wrong answer leaves the cup and the groups as they were; each right one files a copy
    // of the cup in its group and brings the next, until a group is full.
    void series()
    {
        Finestra f;
        auto *w = f.apri<FormEs5>("FormEs5");
        QVERIFY(w->Label1->text().endsWith(QLatin1Char('.')));
        const Attributi cup = w->logica().AttributiCorrenti;
        w->Command1_Click(1 - w->Soluzione);
        QCOMPARE(w->logica().AttributiCorrenti, cup);
        QCOMPARE(shown(w->ShockwaveFlash2) + shown(w->ShockwaveFlash3), 0);
        QCOMPARE(w->flow().wrongAnswers(), 1);
        int answers = 0;
        while (w->NumeroSi < FormEs5::Gruppo && w->NumeroNo < FormEs5::Gruppo && answers < 100) {
            w->Command1_Click(w->Soluzione);
            ++answers;
            QCOMPARE(shown(w->ShockwaveFlash2), w->NumeroSi);
            QCOMPARE(shown(w->ShockwaveFlash3), w->NumeroNo);
        }
        QCOMPARE(w->flow().rightAnswers(), answers);
        QVERIFY(!w->ShockwaveFlash[0]->isVisible());
        QVERIFY(!w->Command1[0]->isEnabled() && !w->Command1[1]->isEnabled() && w->Command1[2]->isEnabled());
        // No eleventh cup: the answer buttons are asleep until a new series.
        QTest::mouseClick(w->Command1[w->Soluzione], Qt::LeftButton);
        QCOMPARE(w->flow().rightAnswers(), answers);
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QCOMPARE(shown(w->ShockwaveFlash2) + shown(w->ShockwaveFlash3), 0);
        QVERIFY(w->ShockwaveFlash[0]->isVisible() && w->Command1[0]->isEnabled());
    }

    // With the switches the highlight stays where it is after a right answer, and waits on the
    // new-exercise button only when a group is full.
    void switches()
    {
        Finestra f([](Profilo &p) { p.ModoInput = 1; });
        auto *w = f.apri<FormEs5>("FormEs5");
        int answers = 0;
        while (!w->scansione().parcheggiata() && answers < 100) {
            if (w->Selezionato() != w->Soluzione)
                QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Space);
            const int before = w->Selezionato();
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
            ++answers;
            if (!w->scansione().parcheggiata())
                QCOMPARE(w->Selezionato(), before);
        }
        QCOMPARE(w->Selezionato(), 2);
        QVERIFY(w->NumeroSi == FormEs5::Gruppo || w->NumeroNo == FormEs5::Gruppo);
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        QCOMPARE(w->Selezionato(), 0);
        QCOMPARE(w->NumeroSi + w->NumeroNo, 0);
    }

};

QTEST_MAIN(TestFormEs5)
#include "tst_formes5.moc"
