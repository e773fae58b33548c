// The print window, the cup drawings to colour and the print menu of the exercise windows,
// against recorded printers: what is typed, placed, asked and sent to the printer.

#include "EsercizioEnv.h"
#include "Finestrella.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "core/FormBase.h"
#include "exercises/FormEs1.h"
#include "exercises/FormGriglia.h"
#include "print/FiguraDaColorare.h"
#include "print/Form1.h"
#include "print/UpDown.h"
#include "print/frmStampa.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QElapsedTimer>
#include <functional>
#include <memory>

namespace {

void digita(QLineEdit *e, const QString &testo)
{
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, testo);
}

// Runs `azione` on the modal window that the next call opens, once it is up and waiting.
void quandoModale(const std::function<void(QWidget *)> &azione)
{
    auto *t = new QTimer(qApp);
    t->setInterval(10);
    auto attesa = std::make_shared<QElapsedTimer>();
    attesa->start();
    // A modal window already open (the drawings) is not the one awaited: under load the timer
    // can fire before the new one opens.
    const QPointer<QWidget> prima = QApplication::activeModalWidget();
    QObject::connect(t, &QTimer::timeout, qApp, [t, azione, attesa, prima] {
        QWidget *m = QApplication::activeModalWidget();
        if (!m || !m->isVisible() || m == prima) {
            // Never left running into a later test.
            if (attesa->elapsed() > 5000) {
                t->stop();
                t->deleteLater();
            }
            return;
        }
        t->stop();
        t->deleteLater();
        azione(m);
        // A failed check inside must not leave the test waiting on the window.
        if (m->isVisible())
            if (auto *d = qobject_cast<QDialog *>(m))
                d->reject();
    });
    t->start();
}

// The shipped drawings to colour, in the test's program folder.
bool conFigure(Finestra &f)
{
    for (int i = 1; i <= 6; ++i) {
        QFile svg(QStringLiteral(VORBELLO_SOURCE_DATA "/figure/tazza%1.svg").arg(i));
        if (!svg.open(QIODevice::ReadOnly))
            return false;
        f.env.put(QStringLiteral("prog/figure/tazza%1.svg").arg(i), svg.readAll());
    }
    return true;
}

int pixelBlu(const QImage &img, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); y += 5)
        for (int x = r.left(); x <= r.right(); x += 5)
            if (img.rect().contains(x, y) && img.pixelColor(x, y) == QColor(0, 0, 200))
                ++n;
    return n;
}

} // namespace

class TestStampa : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QApplication::setActiveWindow(nullptr);
    }

    // Printer set-up only: no print command, scale, copies or picture; its own caption.
    void soloImpostazioni()
    {
        TestEnv env;
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, nullptr, std::nullopt));
        QCOMPARE(w.windowTitle(), QStringLiteral("  Impostazioni stampante"));
        for (QWidget *hidden : std::initializer_list<QWidget *>{w.cmdStampa, w.txtScala, w.cmdScalaOK,
                                                               w.lblLblScala, w.lblPScala, w.txtNCopies,
                                                               w.updNCopies, w.lblLblNCopie, w.imgPrinter})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        for (QWidget *shown : std::initializer_list<QWidget *>{w.cmdOK, w.cboPrinterNames, w.txtPrX,
                                                              w.txtPrW, w.chkCentro, w.Frame2})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        // The system's printers in its order, the default one chosen, its sheet measured.
        QCOMPARE(w.cboPrinterNames->count(), 3);
        QCOMPARE(w.cboPrinterNames->currentText(), QStringLiteral("Segreteria"));
        QCOMPARE(w.lblFgW->text(), QStringLiteral("204"));
        QCOMPARE(w.lblFgH->text(), QStringLiteral("280"));
        w.cboPrinterNames->setCurrentIndex(0);
        QCOMPARE(w.lblFgW->text(), QStringLiteral("200"));
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(env.state->stampa.stampante, QStringLiteral("Aula"));
        QVERIFY(env.printers.stampati.isEmpty());
    }

    void boxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("width too large") << "txtPrW" << "2500" << "2000";
        QTest::newRow("width zero") << "txtPrW" << "0" << "1";
        QTest::newRow("letters dropped") << "txtPrW" << "1a2-b" << "12";
        QTest::newRow("point dropped in sizes") << "txtPrH" << "3.5" << "35";
        QTest::newRow("margin") << "txtPrX" << "2500" << "2000";
        QTest::newRow("copies") << "txtNCopies" << "250" << "100";
        QTest::newRow("scale takes a point") << "txtScala" << "2.5x" << "2.5";
    }
    // What the number boxes let through, typed key by key.
    void boxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TestEnv env;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        auto *e = w.findChild<QLineEdit *>(box);
        QVERIFY(e);
        digita(e, typed);
        QCOMPARE(e->text(), shown);
    }

    // The print keeps the object's shape: a window twice as wide as high starts 100 × 50 and
    // stays in proportion as the width is typed; the scale follows the width.
    void proporzioni()
    {
        TestEnv env;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj, 2));
        QCOMPARE(w.txtPrH->text(), QStringLiteral("50"));
        digita(w.txtPrW, QStringLiteral("150"));
        QCOMPARE(w.txtPrH->text(), QStringLiteral("75"));
        QCOMPARE(w.posizione(), (Posizione{10, 10, 150, 75}));
        QCOMPARE(w.txtScala->text(), QStringLiteral("2.67"));
        digita(w.txtScala, QStringLiteral("4"));
        QTest::keyClick(w.txtScala, Qt::Key_Return);
        QCOMPARE(w.posizione(), (Posizione{10, 10, 100, 50}));
        // Without proportions the height is free.
        QTest::mouseClick(w.chkProporzioni, Qt::LeftButton);
        QCOMPARE(w.lblLblScala->text(), QStringLiteral("Scala X:"));
        digita(w.txtPrW, QStringLiteral("120"));
        QCOMPARE(w.txtPrH->text(), QStringLiteral("50"));
        // The arrows step within their range and act as typing does.
        QTest::mouseClick(w.chkProporzioni, Qt::LeftButton);
        QCOMPARE(w.txtPrH->text(), QStringLiteral("60"));
        w.updPrW->su->click();
        QCOMPARE(w.posizione(), (Posizione{10, 10, 121, 60})); // 60.5 rounds to even
        digita(w.txtPrW, QStringLiteral("2000"));
        w.updPrW->su->click();
        QCOMPARE(w.txtPrW->text(), QStringLiteral("2000"));
    }

    // One millimetre off the sheet blinks the warning every half second; centring a narrower
    // print stops it and locks the margins; "0 / 0" and "Max" place the print.
    void fuoriFoglioECentro()
    {
        TestEnv env;
        Finestrella obj(*env.state, QSize(300, 300));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        QVERIFY(!w.lblFuoriFoglio->isVisible());
        digita(w.txtPrX, QStringLiteral("105")); // 105 + 100 = 205 > 204
        QVERIFY(w.lblFuoriFoglio->isVisible());
        QVERIFY(w.Timer1->isActive());
        QCOMPARE(w.Timer1->interval(), 500);
        const QColor prima = w.lblFuoriFoglio->palette().color(QPalette::Window);
        QTRY_VERIFY_WITH_TIMEOUT(w.lblFuoriFoglio->palette().color(QPalette::Window) != prima, 1500);
        QTest::mouseClick(w.chkCentro, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{52, 90, 100, 100}));
        QVERIFY(!w.lblFuoriFoglio->isVisible());
        QVERIFY(!w.Timer1->isActive());
        QVERIFY(!w.txtPrX->isEnabled() && !w.updPrY->isEnabled() && !w.cmdOrigine->isEnabled());
        digita(w.txtPrW, QStringLiteral("50"));
        QCOMPARE(w.posizione(), (Posizione{77, 115, 50, 50}));
        QTest::mouseClick(w.chkCentro, Qt::LeftButton);
        QVERIFY(w.txtPrX->isEnabled());
        QTest::mouseClick(w.cmdOrigine, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{0, 0, 50, 50}));
        QTest::mouseClick(w.cmdMax, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{0, 0, 204, 204}));
        // The preview places the print inside the sheet drawing, from its top-left corner.
        QCOMPARE(w.rettangoloStampa().topLeft(), w.rettangoloFoglio().topLeft());
        QCOMPARE(w.rettangoloStampa().width(), w.rettangoloFoglio().width());
    }

    void stampa_data()
    {
        QTest::addColumn<int>("copie");
        QTest::addColumn<int>("orientamento");
        QTest::newRow("one copy, portrait") << 1 << 1;
        QTest::newRow("three copies, landscape") << 3 << 2;
    }
    // Printing sends one job per copy with the window's picture where the boxes put it, then
    // closes the window keeping the choices.
    void stampa()
    {
        QFETCH(int, copie);
        QFETCH(int, orientamento);
        TestEnv env;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj, orientamento, 100, 100, std::nullopt));
        QCOMPARE(w.windowTitle(), QStringLiteral("  Stampa Vorbe Finestrella"));
        digita(w.txtNCopies, QString::number(copie));
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(env.printers.stampati.size(), copie);
        for (const auto &s : std::as_const(env.printers.stampati)) {
            QCOMPARE(s.lavoro.stampante, QStringLiteral("Segreteria"));
            QCOMPARE(s.lavoro.pagina.orientamento, orientamento);
            QCOMPARE(s.lavoro.titolo, QStringLiteral("Finestrella"));
            QCOMPARE(s.lavoro.rettangoloMm, QRect(10, 10, 100, 50));
            // The picture fills its rectangle and nothing outside it.
            QVERIFY(pixelBlu(s.pagina, s.bersaglio.adjusted(2, 2, -2, -2)) > 0);
            QCOMPARE(pixelBlu(s.pagina, s.bersaglio.adjusted(2, 2, -2, -2)),
                     pixelBlu(s.pagina, s.pagina.rect()));
        }
        QCOMPARE(env.state->stampa.copie, copie);
    }

    void scala_data()
    {
        QTest::addColumn<Dialogs::Risposta>("risposta");
        QTest::addColumn<bool>("stampato");
        QTest::addColumn<QRect>("rettangolo");
        QTest::newRow("yes: shrunk to the sheet") << Dialogs::Risposta::Si << true << QRect(9, 9, 93, 278);
        QTest::newRow("no: as set") << Dialogs::Risposta::No << true << QRect(10, 10, 100, 300);
        QTest::newRow("cancel: nothing, window stays") << Dialogs::Risposta::Annulla << false << QRect();
    }
    // A print taller than the sheet asks before printing.
    void scala()
    {
        QFETCH(Dialogs::Risposta, risposta);
        QFETCH(bool, stampato);
        QFETCH(QRect, rettangolo);
        TestEnv env;
        env.state->stampa.stampante = QStringLiteral("Aula"); // 200 × 287
        Finestrella obj(*env.state, QSize(100, 300));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj, 1, 100, 300));
        QCOMPARE(w.posizione(), (Posizione{10, 10, 100, 300}));
        env.dialogs.risposte = {risposta};
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QCOMPARE(env.dialogs.questions.size(), 1);
        QVERIFY(env.dialogs.questions[0].endsWith(QStringLiteral("Posso cambiare la scala?")));
        QCOMPARE(env.printers.stampati.size(), stampato ? 1 : 0);
        QCOMPARE(w.isVisible(), !stampato);
        if (stampato)
            QCOMPARE(env.printers.stampati[0].lavoro.rettangoloMm, rettangolo);
    }

    // A printer that fails leaves the window open with the user's values, and says so.
    void stampaFallita()
    {
        TestEnv env;
        env.printers.guasta = true;
        Finestrella obj(*env.state, QSize(200, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages[0].startsWith(QStringLiteral("Il Form non viene stampato.")));
        QCOMPARE(env.dialogs.titles[0], QStringLiteral(" Errore in frmStampaFPB/Print_Form"));
        QCOMPARE(w.posizione(), (Posizione{10, 10, 100, 100}));
    }

    // "Close" puts back the page settings and copies found on opening; the printer's own
    // dialog changes the sheet.
    void chiudiAnnulla()
    {
        TestEnv env;
        env.state->stampa.copie = 2;
        Finestrella obj(*env.state, QSize(200, 200));
        {
            frmStampa w(*env.state);
            QVERIFY(apriStampa(w, &obj, 2));
            QCOMPARE(w.lblFgW->text(), QStringLiteral("280"));
            env.printers.rispostaProprieta = ImpostazioniPagina{1, QPageSize(QPageSize::A5)};
            QTest::mouseClick(w.cmdProprieta, Qt::LeftButton);
            QCOMPARE(env.printers.richiesteProprieta, QStringList{QStringLiteral("Segreteria")});
            QCOMPARE(w.lblFgW->text(), QStringLiteral("138")); // A5 less the margins
            digita(w.txtNCopies, QStringLiteral("7"));
            QTest::mouseClick(w.cmdChiudi, Qt::LeftButton);
            QCOMPARE(w.result(), int(QDialog::Rejected));
        }
        QCOMPARE(env.state->stampa.copie, 2);
        QCOMPARE(env.state->stampa.pagina.orientamento, 1);
        QVERIFY(!env.state->stampa.pagina.pagina.isValid());
        QVERIFY(env.printers.stampati.isEmpty());
    }

    void oggettiRifiutati_data()
    {
        QTest::addColumn<bool>("etichetta");
        QTest::addColumn<bool>("altezza");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("not a window nor a drawing")
            << true << true << "Stampa di Scritta\nL' oggetto da stampare\ne' di tipo errato.";
        QTest::newRow("no height") << false << false << "Parametri errati.";
    }
    void oggettiRifiutati()
    {
        QFETCH(bool, etichetta);
        QFETCH(bool, altezza);
        QFETCH(QString, messaggio);
        TestEnv env;
        QLabel scritta;
        scritta.setObjectName(QStringLiteral("Scritta"));
        Finestrella obj(*env.state, QSize(200, 200));
        frmStampa w(*env.state);
        QWidget *o = etichetta ? static_cast<QWidget *>(&scritta) : &obj;
        QVERIFY(!w.Prepara(o, 10, 10, 100, altezza ? std::optional<int>(100) : std::nullopt, 1,
                           QString(), std::nullopt));
        QCOMPARE(env.dialogs.messages, QStringList{messaggio});
        QCOMPARE(env.dialogs.titles, QStringList{QStringLiteral(" Errore in frmStampaFPB/StampaFPB")});
    }

    // The drawings window: a click opens the print window for that drawing on a portrait sheet,
    // printing leaves the drawings open for the next one.
    void figureDaColorare()
    {
        Finestra f;
        QVERIFY(conFigure(f));
        f.env.state->stampa.pagina.orientamento = 2;
        Form1 figure(*f.env.state);
        figure.Form_Load();
        figure.show();
        QCOMPARE(figure.Picture1.size(), 6);
        for (FiguraDaColorare *p : std::as_const(figure.Picture1))
            QVERIFY(p->valida());
        QCOMPARE(figure.Label1->text(), QStringLiteral("Clicca sulla tazza che vuoi stampare"));
        bool visto = false;
        quandoModale([&](QWidget *m) {
            auto *w = qobject_cast<frmStampa *>(m);
            QVERIFY(w);
            visto = true;
            QCOMPARE(w->windowTitle(), QStringLiteral("  Stampa Vorbe "));
            QCOMPARE(w->posizione(), (Posizione{10, 10, 100, 100}));
            QTest::mouseClick(w->cmdStampa, Qt::LeftButton);
        });
        QTest::mouseClick(figure.Picture1[2], Qt::LeftButton);
        QVERIFY(visto);
        QVERIFY(figure.isVisible());
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const auto &s = f.env.printers.stampati[0];
        QCOMPARE(s.lavoro.pagina.orientamento, 1);
        // Black lines on white inside the rectangle, nothing outside it.
        const QImage page = s.pagina;
        int neri = 0, fuori = 0;
        for (int y = 0; y < page.height(); y += 3)
            for (int x = 0; x < page.width(); x += 3)
                if (qGray(page.pixel(x, y)) < 60)
                    ++(s.bersaglio.contains(x, y) ? neri : fuori);
        QVERIFY(neri > 100);
        QCOMPARE(fuori, 0);
        // The keyboard reaches the drawings too.
        quandoModale([](QWidget *m) {
            auto *w = qobject_cast<frmStampa *>(m);
            QVERIFY2(w, m->metaObject()->className());
            QTest::mouseClick(w->cmdChiudi, Qt::LeftButton);
        });
        figure.Picture1[0]->setFocus();
        QTest::keyClick(figure.Picture1[0], Qt::Key_Space);
        QCOMPARE(f.env.printers.stampati.size(), 1);
        figure.mnuEsci->trigger();
        QVERIFY(!figure.isVisible());
    }

    void menuStampa_data()
    {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<int>("orientamento");
        QTest::newRow("landscape") << "mnuStOr" << 2;
        QTest::newRow("portrait") << "mnuStVer" << 1;
    }
    // The print menu opens the print window on the exercise window itself; coming back starts
    // the exercise again, after logging the answers given so far.
    void menuStampa()
    {
        QFETCH(QString, voce);
        QFETCH(int, orientamento);
        Finestra f;
        auto *w = f.apri<FormEs1>("FormEs1");
        f.env.state->registro.iniziaEsercizio(QStringLiteral("Vero o falso"));
        QTest::mouseClick(w->Command1[w->Soluzione], Qt::LeftButton);
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QTest::mouseClick(w->Command1[1 - w->Soluzione], Qt::LeftButton);
        QCOMPARE(w->flow().rightAnswers(), 1);
        bool visto = false;
        quandoModale([&](QWidget *m) {
            auto *p = qobject_cast<frmStampa *>(m);
            QVERIFY(p);
            visto = true;
            QCOMPARE(f.env.state->stampa.pagina.orientamento, orientamento);
            QCOMPARE(p->windowTitle(), QStringLiteral("  Stampa Vorbe "));
            QTest::mouseClick(p->cmdStampa, Qt::LeftButton);
        });
        w->findChild<QAction *>(voce)->trigger();
        QVERIFY(visto);
        QCOMPARE(f.env.printers.stampati.size(), 1);
        QCOMPARE(f.env.printers.stampati[0].lavoro.pagina.orientamento, orientamento);
        // Restarted at level 1 with both counters at 0; the interrupted run is in the log.
        QCOMPARE(w->flow().rightAnswers(), 0);
        QCOMPARE(w->flow().wrongAnswers(), 0);
        QCOMPARE(w->flow().level(), 1);
        QCOMPARE(f.env.state->registro.righe(), 2);
        QCOMPARE(f.env.state->registro.riga(1)[2], QStringLiteral("1"));
        QCOMPARE(f.env.state->registro.riga(1)[3], QStringLiteral("1"));
        QVERIFY(w->isVisible());
    }

    // A box emptied while typing is not a size: leaving it, or printing, brings the value back,
    // and the other side is not clobbered on the way.
    void boxLasciataVuota()
    {
        TestEnv env;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        digita(w.txtPrW, QString());
        QCOMPARE(w.txtPrH->text(), QStringLiteral("50"));
        Q_EMIT w.txtPrW->editingFinished();
        QCOMPARE(w.txtPrW->text(), QStringLiteral("100"));
        digita(w.txtPrW, QStringLiteral("120"));
        digita(w.txtPrX, QString());
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QCOMPARE(env.printers.stampati.size(), 1);
        QCOMPARE(env.printers.stampati[0].lavoro.rettangoloMm, QRect(10, 10, 120, 60));
    }

    // Esc in a number box cancels the window like anywhere else; Enter there does not print.
    void tastiNeiBox()
    {
        TestEnv env;
        env.state->stampa.copie = 2;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        digita(w.txtNCopies, QStringLiteral("5"));
        QTest::keyClick(w.txtPrW, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(env.printers.stampati.isEmpty());
        QTest::keyClick(w.txtPrW, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(env.state->stampa.copie, 2);
    }

    // A scale is applied once, when it is entered: passing through the box or pressing its OK
    // again must not undo sizes typed since.
    void scalaUnaVolta()
    {
        TestEnv env;
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        digita(w.txtScala, QStringLiteral("2"));
        QTest::mouseClick(w.cmdScalaOK, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{10, 10, 200, 100}));
        digita(w.txtPrW, QStringLiteral("123"));
        QCOMPARE(w.txtScala->text(), QStringLiteral("3.25"));
        Q_EMIT w.txtScala->editingFinished();
        QTest::mouseClick(w.cmdScalaOK, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{10, 10, 123, 62}));
    }

    void risoluzione_data()
    {
        QTest::addColumn<QStringList>("nomi");
        QTest::addColumn<QString>("predefinita");
        QTest::addColumn<QString>("scelta");
        QTest::newRow("the default") << QStringList{"Aula", "Segreteria", "PDF file"} << "Segreteria" << "Segreteria";
        QTest::newRow("no default: the first") << QStringList{"Aula", "Segreteria", "PDF file"} << "" << "Aula";
        QTest::newRow("default gone: the first") << QStringList{"Aula", "PDF file"} << "Segreteria" << "Aula";
        QTest::newRow("nothing at all") << QStringList{} << "" << "";
    }
    // Which printer a first print goes to, and what the call reports: only a print is a print.
    void risoluzione()
    {
        QFETCH(QStringList, nomi);
        QFETCH(QString, predefinita);
        QFETCH(QString, scelta);
        TestEnv env;
        env.printers.elenco = nomi;
        env.printers.preferita = predefinita;
        Finestrella obj(*env.state, QSize(200, 200));
        QString vista;
        if (!scelta.isEmpty())
            quandoModale([&](QWidget *m) {
                vista = static_cast<frmStampa *>(m)->cboPrinterNames->currentText();
                QTest::mouseClick(static_cast<frmStampa *>(m)->cmdOK, Qt::LeftButton);
            });
        QVERIFY(!StampaFPB(*env.state, nullptr, &obj, 10, 10, 100, 100, 1, QString()));
        QCOMPARE(vista, scelta);
        QCOMPARE(env.state->stampa.stampante, scelta);
        QCOMPARE(env.dialogs.messages.isEmpty(), !scelta.isEmpty());
        if (scelta.isEmpty())
            QCOMPARE(env.dialogs.messages[0], QStringLiteral("Stampante di default non specificata."));
        else {
            quandoModale([](QWidget *m) { QTest::mouseClick(static_cast<frmStampa *>(m)->cmdStampa, Qt::LeftButton); });
            QVERIFY(StampaFPB(*env.state, nullptr, &obj, 10, 10, 100, 100, 1, QString()));
        }
    }

    // A printer that cannot be measured says so when chosen; one that refuses jobs says the job
    // did not start.
    void stampantiInDifficolta()
    {
        TestEnv env;
        env.printers.elenco.append(QStringLiteral("Rotta"));
        Finestrella obj(*env.state, QSize(200, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        QVERIFY(env.dialogs.messages.isEmpty());
        w.cboPrinterNames->setCurrentText(QStringLiteral("Rotta"));
        QCOMPARE(env.dialogs.messages, QStringList{QStringLiteral("Non posso accedere alla stampante richiesta.\n")});
        w.cboPrinterNames->setCurrentText(QStringLiteral("Aula"));
        env.printers.rifiuta = true;
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QVERIFY(env.dialogs.messages.last().startsWith(QStringLiteral("Errore di StartDoc")));
    }

    // The PDF destination: a new file in the pupil's folder each time, shown once made.
    void destinazionePdf()
    {
        TestEnv env;
        env.state->NomeUtente = QStringLiteral("Anna");
        QStringList aperti;
        env.state->apriDocumento = [&](const QString &p) { aperti.append(p); };
        env.state->stampa.stampante = Printers::nomePdf();
        Finestrella obj(*env.state, QSize(200, 200));
        for (int i = 0; i < 2; ++i) {
            frmStampa w(*env.state);
            QVERIFY(apriStampa(w, &obj));
            QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        }
        QCOMPARE(aperti.size(), 2);
        QVERIFY(aperti[0] != aperti[1]);
        for (const QString &p : aperti) {
            QVERIFY2(QFileInfo(p).absolutePath().endsWith(QStringLiteral("/Vorbello/dati/Anna")) ||
                         QFileInfo(p).absolutePath().endsWith(QStringLiteral("/Vorbello/Dati/Anna")),
                     qPrintable(p));
            QVERIFY(QFileInfo(p).fileName().startsWith(QStringLiteral("stampa-")));
            QVERIFY(QFileInfo::exists(p));
        }
    }

    void ritorno_data()
    {
        QTest::addColumn<QString>("voce");
        QTest::newRow("print window closed without printing") << "mnuStOr";
        QTest::newRow("drawings window left") << "mnuCol";
    }
    // Leaving the print window or the drawings without printing also starts the exercise again.
    void ritorno()
    {
        QFETCH(QString, voce);
        Finestra f;
        QVERIFY(conFigure(f));
        auto *w = f.apri<FormEs1>("FormEs1");
        w->mnuLiv_Click(3);
        QTest::mouseClick(w->Command1[1 - w->Soluzione], Qt::LeftButton);
        QCOMPARE(w->flow().wrongAnswers(), 1);
        quandoModale([](QWidget *m) {
            if (auto *p = qobject_cast<frmStampa *>(m))
                QTest::mouseClick(p->cmdChiudi, Qt::LeftButton);
            else if (auto *d = qobject_cast<Form1 *>(m))
                d->mnuEsci->trigger();
        });
        w->findChild<QAction *>(voce)->trigger();
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(w->flow().level(), 1);
        QCOMPARE(w->flow().wrongAnswers(), 0);
        QVERIFY(f.env.printers.stampati.isEmpty());
    }

    // The quick print: the window as it looks, on the default printer, whole and in its shape,
    // without a dialog.
    void stampaVeloce()
    {
        Finestra f;
        auto *w = f.apri<FormEs1>("FormEs1");
        w->resize(800, 600);
        w->mnuStEserc->trigger();
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const auto &s = f.env.printers.stampati[0];
        QCOMPARE(s.lavoro.stampante, QStringLiteral("Segreteria"));
        QCOMPARE(s.lavoro.pagina.orientamento, 2);
        // 280 × 204 landscape: the width fits, 280 × 210 would not, so the height sets it.
        QCOMPARE(s.lavoro.rettangoloMm, QRect(0, 0, 272, 204));
        QVERIFY(f.env.dialogs.messages.isEmpty());
        QVERIFY(f.env.dialogs.questions.isEmpty());
        f.env.printers.guasta = true;
        w->mnuStEserc->trigger();
        QCOMPARE(f.env.dialogs.messages.size(), 1);
        QVERIFY(f.env.dialogs.messages[0].startsWith(QStringLiteral("Il Form non viene stampato.")));
        // With no default printer it goes to the first there is.
        f.env.printers.guasta = false;
        f.env.printers.preferita.clear();
        w->mnuStEserc->trigger();
        QCOMPARE(f.env.printers.stampati.last().lavoro.stampante, QStringLiteral("Aula"));
    }
};

QTEST_MAIN(TestStampa)
#include "tst_stampa.moc"
