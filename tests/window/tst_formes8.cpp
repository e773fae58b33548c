// Find the differences: a model cup and its copy, the seven feature pictures chosen by mouse
// or by the switches, the levels and the way out.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/SvgPicture.h"
#include "core/WindowRegistry.h"
#include "exercises/FormEs8.h"
#include "scanning/ScanBox.h"
#include "platform/Filmato.h"

#include <QAction>
#include <QLabel>
#include <QTest>

namespace {

// Pictures whose feature is still a difference to find, and the others.
QList<int> differenze(FormEs8 *w, bool cambiate)
{
    QList<int> out;
    for (int i = 0; i < FormEs8::Caratteristiche; ++i)
        if ((w->logica().Cambiato[i + 1] == 1) == cambiate)
            out << i;
    return out;
}

int incorniciata(FormEs8 *w) // -1: none, -2: more than one
{
    int found = -1;
    for (int i = 0; i < FormEs8::Caratteristiche; ++i)
        if (w->Shape1[i]->isVisible())
            found = found == -1 ? i : -2;
    return found;
}

} // namespace

class TestFormEs8 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Every click counts with its sound; a difference found is put right on the copy, one
    // clicked again is an error, and the last one opens the way to a new pair while the
    // pictures fall asleep.
    void mouse()
    {
        const QString clicks = QStringLiteral("dsfdsdd"); // d a difference, s a feature the same, f one found
        const int level = 4, right = 4, wrong = 3;
        Finestra f;
        auto *w = f.apri<FormEs8>("FormEs8");
        w->mnuLiv[level - 1]->trigger();
        QVERIFY(w->ShockwaveFlash1->document() != w->ShockwaveFlash2->document());
        int found = -1;
        for (QChar c : clicks) {
            QVERIFY(!w->Command1[0]->isEnabled());
            const int i = c == QLatin1Char('d')   ? differenze(w, true).first()
                          : c == QLatin1Char('f') ? found
                                                  : differenze(w, false).last();
            QTest::mouseClick(w->Image1[i], Qt::LeftButton);
            if (c == QLatin1Char('d')) {
                found = i;
                QCOMPARE(w->logica().attributi[LogicaEs8::Copia][i + 1],
                         w->logica().attributi[LogicaEs8::Modello][i + 1]);
            }
        }
        QCOMPARE(w->flow().rightAnswers(), right);
        QCOMPARE(w->flow().wrongAnswers(), wrong);
        QCOMPARE(f.giuste(), right);
        QCOMPARE(f.sbagliate(), wrong);
        QCOMPARE(w->pannelli[0]->text(), QStringLiteral("Esatti %1").arg(right));
        QCOMPARE(w->pannelli[1]->text(), QStringLiteral("Errori %1").arg(wrong));
        // The two movies now show the same cup.
        QCOMPARE(w->ShockwaveFlash2->document(), w->ShockwaveFlash1->document());
        QVERIFY(w->Command1[0]->isEnabled());
        for (int i = 0; i < FormEs8::Caratteristiche; ++i)
            QTest::mouseClick(w->Image1[i], Qt::LeftButton);
        QCOMPARE(int(f.sound.requests.size()), right + wrong);
        QTest::mouseClick(w->Command1[0], Qt::LeftButton);
        QVERIFY(!w->Command1[0]->isEnabled());
    }

    // Choosing with the switches (here automatic scanning): a feature the same counts an error
    // and the frame stays; the last difference parks the highlight on the new-pair button, where
    // moving does nothing and selecting starts a new pair on picture 0.
    void switches()
    {
        Finestra f([](Profilo &p) {
            p.ModoInput = 2;
            p.VelocitaScansione = 200; // the clock must not move on by itself during the test
        });
        auto *w = f.apri<FormEs8>("FormEs8");
        auto muovi = [&] { w->scansione().tick(); };
        auto scegli = [&] {
            QTest::keyPress(w->PictureScansioneAutomatica, Qt::Key_Space);
            QTest::keyRelease(w->PictureScansioneAutomatica, Qt::Key_Space);
        };
        auto vaiA = [&](int i) {
            while (w->Selezionato() != i)
                muovi();
        };
        const QColor selezione = ColoreDaCodice(f.env.state->profilo.ColoreSelezione);
        QCOMPARE(incorniciata(w), 0);

        const int uguale = differenze(w, false).first();
        vaiA(uguale);
        scegli();
        QCOMPARE(w->flow().wrongAnswers(), 1);
        QCOMPARE(w->Selezionato(), uguale);
        QCOMPARE(incorniciata(w), uguale);

        vaiA(differenze(w, true).first());
        scegli();
        QCOMPARE(w->flow().rightAnswers(), 1);
        QCOMPARE(f.giuste(), 1);
        QCOMPARE(w->Selezionato(), FormEs8::PostoNuovaCoppia);
        QCOMPARE(w->Command1[0]->sfondo(), selezione);
        QCOMPARE(incorniciata(w), -1);
        muovi();
        QCOMPARE(w->Selezionato(), FormEs8::PostoNuovaCoppia);
        // The mouse means nothing to the pictures while the switches are in use.
        QTest::mouseClick(w->Image1[0], Qt::LeftButton);
        QCOMPARE(w->flow().wrongAnswers(), 1);

        scegli();
        QCOMPARE(w->Selezionato(), 0);
        QCOMPARE(incorniciata(w), 0);
        QVERIFY(w->Command1[0]->sfondo() != selezione);
        QCOMPARE(w->logica().Trovate, 0);
        QCOMPARE(int(differenze(w, true).size()), 1);
        muovi();
        QCOMPARE(w->Selezionato(), 1);
    }

};

QTEST_MAIN(TestFormEs8)
#include "tst_formes8.moc"
