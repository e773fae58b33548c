// The grid exercises: find the odd ones out, find the cup; by mouse and by switches.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "exercises/FormGriglia.h"
#include "scanning/ScanBox.h"
#include "platform/Filmato.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace {

int visibili(FormGriglia *w)
{
    int n = 0;
    for (Filmato *f : std::as_const(w->ShockwaveFlash1))
        n += f->isVisible();
    return n;
}

// The model's frame: round the model, and unlike the scan's highlight (which is gone from it).
bool modelloIncorniciato(FormGriglia *w)
{
    const int t = w->logica().TazzaGiusta;
    const QColor scan = static_cast<SelectionFrame *>(w->Shape1)->colore();
    const QColor modello = w->CorniceModello->colore();
    const int distanza = qAbs(scan.red() - modello.red()) + qAbs(scan.green() - modello.green()) +
                         qAbs(scan.blue() - modello.blue());
    return w->CorniceModello->isVisible() && !w->Shape1->isVisible() && distanza > 200 &&
           w->CorniceModello->geometry().contains(w->ShockwaveFlash1[t]->geometry());
}

} // namespace

class TestFormGriglia : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void featureListFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size");
        QTest::newRow("odd ones out, 800x600") << "FormEs6" << QSize(800, 600);
        QTest::newRow("find the cup, 800x600") << "FormEs7" << QSize(800, 600);
        QTest::newRow("find the cup, resized to 1024x768") << "FormEs7" << QSize(1024, 768);
    }
    // With a large font in capitals every line of the list shows: only the mouse could scroll.
    void featureListFits()
    {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        Finestra f([](Profilo &p) {
            p.NomeFont = QStringLiteral("DejaVu Serif");
            p.DimensioneFont = 32;
            p.TipoCarattere = QStringLiteral("maiuscolo");
        });
        auto *w = f.apri<FormGriglia>(window.toLatin1().constData());
        w->resize(size);
        QTRY_COMPARE(w->size(), size);
        QTRY_COMPARE(w->Text1->verticalScrollBar()->maximum(), 0);
        QVERIFY(w->Text1->font().pointSize() < 32);
        QVERIFY(w->Text1->toPlainText().count(QLatin1Char('\n')) >= 6);
    }

    // A click already queued when a new exercise is being made acts on the finished exercise,
    // never on one half made: the removed cups and the count of them always agree.
    void clickWhileLoading()
    {
        Finestra f;
        auto *w = f.apri<FormEs6>("FormEs6");
        w->mnuLiv_Click(2);
        const int cup = w->logica().TazzaGiusta == 0 ? 1 : 0;
        Filmato *target = w->ShockwaveFlash1[cup];
        const QPointF in(target->width() / 2.0, target->height() / 2.0);
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, in,
                                                            target->mapToGlobal(in), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, in,
                                                            target->mapToGlobal(in), Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
        w->GeneraEsercizio();
        QCOMPARE(w->logica().Eliminate, 0);
        QCOMPARE(visibili(w), 4);
        QCoreApplication::processEvents();
        QCOMPARE(visibili(w), 4 - w->logica().Eliminate);
    }

    // Odd ones out, mouse: every other cup removed is a right answer; the last one frames the
    // model and wakes the new-exercise button; the model itself is always an error.
    void intrusi()
    {
        Finestra f;
        auto *w = f.apri<FormEs6>("FormEs6");
        w->mnuLiv_Click(2);
        const int model = w->logica().TazzaGiusta;
        Q_EMIT w->ShockwaveFlash1[model]->FSCommand(QString(), QString());
        QCOMPARE(w->flow().wrongAnswers(), 1);
        for (int i = 0; i < 4; ++i)
            if (i != model)
                Q_EMIT w->ShockwaveFlash1[i]->FSCommand(QString(), QString());
        QCOMPARE(w->flow().rightAnswers(), 3);
        QCOMPARE(w->logica().Eliminate, 3);
        QCOMPARE(visibili(w), 1);
        QVERIFY(modelloIncorniciato(w));
        QVERIFY(w->Command1->isEnabled());
        Q_EMIT w->ShockwaveFlash1[model]->FSCommand(QString(), QString());
        QCOMPARE(w->flow().wrongAnswers(), 2);
    }

    // Find the cup by switches: choosing the model leaves only it on view, the counter keeps
    // the language's own word; the next select, or a level chosen from the menu, starts a new
    // exercise that can be played (after the menu the next select once started yet another).
    // Buttons in the highlight colour once made the choice of a cup start a new exercise.
    void trovaSwitches_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<bool>("sameColours");
        QTest::newRow("next select, buttons in the highlight colour") << false << true;
        QTest::newRow("level menu") << true << false;
    }
    void trovaSwitches()
    {
        QFETCH(bool, byMenu);
        QFETCH(bool, sameColours);
        Finestra f([sameColours](Profilo &p) {
            p.ModoInput = 1;
            if (sameColours)
                p.ColoreBottoni = p.ColoreSelezione;
        });
        auto *w = f.apri<FormEs7>("FormEs7");
        const int model = w->logica().TazzaGiusta;
        for (int i = 0; i < model; ++i)
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Space);
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        QCOMPARE(visibili(w), 1);
        QCOMPARE(w->pannelli[0]->text(), f.env.state->Frasi[0] + QStringLiteral("1"));
        QCOMPARE(w->Command1->sfondo(), ColoreDaCodice(f.env.state->profilo.ColoreSelezione));
        if (byMenu)
            w->mnuLiv_Click(2);
        else
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return);
        QCOMPARE(visibili(w), byMenu ? 4 : 2);
        QCOMPARE(w->Selezionato(), 0);
        if (w->logica().TazzaGiusta == 0)
            QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Space);
        QTest::keyClick(w->PictureScansioneManuale, Qt::Key_Return); // a wrong cup
        QCOMPARE(w->flow().wrongAnswers(), 1);
    }

};

QTEST_MAIN(TestFormGriglia)
#include "tst_formgriglia.moc"
