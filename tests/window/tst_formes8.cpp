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

FormEs8 *apri(Finestra &f)
{
    if (!f.env.windows->isDefined(QStringLiteral("FormEs8")))
        f.env.windows->define(QStringLiteral("FormEs8"),
                              [](AppState &s) { return new FormEs8(s); });
    return f.apri<FormEs8>("FormEs8");
}

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
    void mouse_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("clicks"); // d a difference, s a feature the same, f one found
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::newRow("level 1: one difference ends the pair") << 1 << "d" << 1 << 0;
        QTest::newRow("a feature the same is an error") << 1 << "sd" << 1 << 1;
        QTest::newRow("a difference found twice is an error") << 2 << "dfd" << 2 << 1;
        QTest::newRow("level 4") << 4 << "dsdsdd" << 4 << 2;
    }
    // Every click counts with its sound; a difference found is put right on the copy, and the
    // last one opens the way to a new pair while the pictures fall asleep.
    void mouse()
    {
        QFETCH(int, level);
        QFETCH(QString, clicks);
        QFETCH(int, right);
        QFETCH(int, wrong);
        Finestra f;
        auto *w = apri(f);
        if (level != 1)
            w->mnuLiv[level - 1]->trigger();
        QCOMPARE(int(differenze(w, true).size()), level);
        QVERIFY(w->ShockwaveFlash1->document() != w->ShockwaveFlash2->document());
        QVERIFY(!w->Command1[0]->isEnabled());
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
        QCOMPARE(w->flow().rightAnswers(), right);
        QCOMPARE(w->flow().wrongAnswers(), wrong);
        QCOMPARE(int(f.sound.requests.size()), right + wrong);
        QTest::mouseClick(w->Command1[0], Qt::LeftButton);
        QVERIFY(!w->Command1[0]->isEnabled());
        QCOMPARE(int(differenze(w, true).size()), level);
    }

    void moves_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("keys"); // s space, l r u d arrows
        QTest::addColumn<int>("framed");
        QTest::newRow("keyboard: the first pair frames picture 0") << 3 << "" << 0;
        QTest::newRow("keyboard: left wraps to the last picture") << 3 << "l" << 6;
        QTest::newRow("keyboard: right wraps past the button") << 3 << "rrrrrrr" << 0;
        QTest::newRow("keyboard: down and up") << 3 << "ddu" << 1;
        QTest::newRow("step: space wraps past the button") << 1 << "sssssssss" << 2;
    }
    // The switches move one frame over the seven pictures and never onto the new-pair button
    // while a pair is being compared.
    void moves()
    {
        QFETCH(int, mode);
        QFETCH(QString, keys);
        QFETCH(int, framed);
        Finestra f([mode](Profilo &p) { p.ModoInput = qint16(mode); });
        auto *w = apri(f);
        const QHash<QChar, Qt::Key> tasti = {{QLatin1Char('s'), Qt::Key_Space},
                                             {QLatin1Char('l'), Qt::Key_Left},
                                             {QLatin1Char('r'), Qt::Key_Right},
                                             {QLatin1Char('u'), Qt::Key_Up},
                                             {QLatin1Char('d'), Qt::Key_Down}};
        for (QChar k : keys)
            QTest::keyClick(w->PictureScansioneManuale, tasti.value(k));
        QCOMPARE(w->Selezionato(), framed);
        QCOMPARE(incorniciata(w), framed);
        QCOMPARE(w->Command1[0]->sfondo(), ColoreDaCodice(f.env.state->profilo.ColoreBottoni));
    }

    void switches_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("step scanning") << 1;
        QTest::newRow("automatic scanning") << 2;
        QTest::newRow("keyboard") << 3;
    }
    // Choosing with the switches: a feature the same counts an error and the frame stays; the
    // last difference parks the highlight on the new-pair button, where moving does nothing and
    // selecting starts a new pair on picture 0.
    void switches()
    {
        QFETCH(int, mode);
        Finestra f([mode](Profilo &p) {
            p.ModoInput = qint16(mode);
            p.VelocitaScansione = 200; // the clock must not move on by itself during the test
        });
        auto *w = apri(f);
        auto muovi = [&] {
            if (mode == 2)
                w->scansione().tick();
            else
                QTest::keyClick(w->PictureScansioneManuale,
                                mode == 1 ? Qt::Key_Space : Qt::Key_Right);
        };
        auto scegli = [&] {
            if (mode == 2) {
                QTest::keyPress(w->PictureScansioneAutomatica, Qt::Key_Space);
                QTest::keyRelease(w->PictureScansioneAutomatica, Qt::Key_Space);
            } else {
                QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
            }
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

    void hover_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("mouse") << 0;
        QTest::newRow("keyboard") << 3;
    }
    // With the mouse the frame follows the hovered picture and the bar between the pictures
    // clears it; with the switches the frame stays on the scanned picture whatever the mouse does.
    void hover()
    {
        QFETCH(int, mode);
        Finestra f([mode](Profilo &p) { p.ModoInput = qint16(mode); });
        auto *w = apri(f);
        const int before = incorniciata(w);
        const QPointF in(5, 5);
        QMouseEvent over(QEvent::MouseMove, in, w->Image1[3]->mapToGlobal(in), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w->Image1[3], &over);
        QCOMPARE(incorniciata(w), mode == 0 ? 3 : before);
        // Between pictures 3 and 4, on the bar itself.
        const QRect a = w->Image1[3]->geometry(), b = w->Image1[4]->geometry();
        const QPointF gap((a.right() + b.left()) / 2.0, a.center().y());
        QMouseEvent bar(QEvent::MouseMove, gap, w->Picture1->mapToGlobal(gap), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w->Picture1, &bar);
        QCOMPARE(incorniciata(w), mode == 0 ? -1 : before);
    }

    void instructions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("mouse") << 0;
        QTest::newRow("keyboard") << 3;
    }
    // The instructions show at the start with the language's text; a click on them puts them
    // away and the button brings them back, whatever the input mode.
    void instructions()
    {
        QFETCH(int, mode);
        Finestra f([mode](Profilo &p) {
            p.ModoInput = qint16(mode);
            p.TipoCarattere = QStringLiteral("maiuscolo");
        });
        auto *w = apri(f);
        QVERIFY(w->Picture2->isVisible());
        QVERIFY(w->Label1->text().startsWith(QStringLiteral("TROVA LE DIFFERENZE")));
        QTest::mouseClick(w->Label1, Qt::LeftButton);
        QVERIFY(!w->Picture2->isVisible());
        QTest::mouseClick(w->Command1[1], Qt::LeftButton);
        QVERIFY(w->Picture2->isVisible());
        QCOMPARE(w->flow().rightAnswers() + w->flow().wrongAnswers(), 0);
    }

};

QTEST_MAIN(TestFormEs8)
#include "tst_formes8.moc"
