// The print window, the cup drawings to colour and the print menus of the exercise windows,
// against recorded printers. The placement arithmetic has its own test (tst_geometriastampa).

#include "EsercizioEnv.h"
#include "Finestrella.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "exercises/FormEs1.h"
#include "print/FiguraDaColorare.h"
#include "print/Form1.h"
#include "print/PrintService.h"
#include "print/frmStampa.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <functional>

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
    const QDeadlineTimer scadenza(5000); // never left running into a later test
    // A modal window already open (the drawings) is not the one awaited: under load the timer
    // can fire before the new one opens.
    const QPointer<QWidget> prima = QApplication::activeModalWidget();
    QObject::connect(t, &QTimer::timeout, qApp, [t, azione, scadenza, prima] {
        QWidget *m = QApplication::activeModalWidget();
        const bool su = m && m->isVisible() && m != prima;
        if (!su && !scadenza.hasExpired())
            return;
        t->stop();
        t->deleteLater();
        if (!su)
            return;
        azione(m);
        // A failed check inside must not leave the test waiting on the window.
        if (auto *d = qobject_cast<QDialog *>(m); d && d->isVisible())
            d->reject();
    });
    t->start(10);
}

void clic(QWidget *modale, QPushButton *frmStampa::*bottone)
{
    QTest::mouseClick(qobject_cast<frmStampa *>(modale)->*bottone, Qt::LeftButton);
}

// The shipped drawings to colour, in the test's program folder.
bool conFigure(Finestra &f)
{
    for (int i = 1; i <= 6; ++i)
        if (!f.env.ship(QStringLiteral("figure/tazza%1.svg").arg(i)))
            return false;
    return true;
}

// Sampled pixels of a printed page that `scelto` picks: inside the drawing's rectangle, outside it.
std::pair<int, int> pixel(const RecordingPrinters::Stampato &s, bool (*scelto)(QRgb))
{
    int dentro = 0, fuori = 0;
    for (int y = 0; y < s.pagina.height(); y += 3)
        for (int x = 0; x < s.pagina.width(); x += 3)
            if (scelto(s.pagina.pixel(x, y)))
                ++(s.bersaglio.contains(x, y) ? dentro : fuori);
    return {dentro, fuori};
}
bool blu(QRgb c) { return QColor(c) == Finestrella::blu(); }
bool nero(QRgb c) { return qGray(c) < 60; }

// A print window open on a plain window of the given shape, at margins 10 / 10 and 100 mm wide.
struct Aperta : TestEnv
{
    Finestrella obj;
    std::unique_ptr<frmStampa> w;
    explicit Aperta(QSize forma = {400, 200}) : obj(*state, forma) {}
    frmStampa &apri(std::optional<int> orientamento = 1, int H = 100, std::optional<QString> titolo = QString())
    {
        w = std::make_unique<frmStampa>(*state);
        apriStampa(*w, &obj, orientamento, 100, H, titolo);
        return *w;
    }
};

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

    // One job per copy with the window's picture where the boxes put it, and nothing elsewhere;
    // the window closes keeping the choices. A box emptied while typing is not a size: leaving
    // it, or printing, brings the value back, and the other side is not clobbered on the way.
    void stampa()
    {
        Aperta env;
        frmStampa &w = env.apri(2, 100, std::nullopt);
        QCOMPARE(w.windowTitle(), QStringLiteral("  Stampa Vorbe Finestrella"));
        digita(w.txtPrW, QString());
        QCOMPARE(w.txtPrH->text(), QStringLiteral("50"));
        Q_EMIT w.txtPrW->editingFinished();
        QCOMPARE(w.txtPrW->text(), QStringLiteral("100"));
        digita(w.txtPrW, QStringLiteral("120"));
        digita(w.txtPrX, QString());
        digita(w.txtNCopies, QStringLiteral("3"));
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(env.printers.stampati.size(), 3);
        for (const auto &s : std::as_const(env.printers.stampati)) {
            QCOMPARE(s.lavoro.stampante, QStringLiteral("Segreteria"));
            QCOMPARE(s.lavoro.pagina.orientamento, 2);
            QCOMPARE(s.lavoro.titolo, QStringLiteral("Finestrella"));
            QCOMPARE(s.lavoro.rettangoloMm, QRect(10, 10, 120, 60));
            const auto [dentro, fuori] = pixel(s, blu);
            QVERIFY(dentro > 0);
            QCOMPARE(fuori, 0);
        }
        QCOMPARE(env.state->stampa.copie, 3);
    }

    void scala_data()
    {
        QTest::addColumn<Dialogs::Risposta>("risposta");
        QTest::addColumn<QRect>("rettangolo");
        QTest::newRow("yes: shrunk to the sheet") << Dialogs::Risposta::Si << QRect(9, 9, 93, 278);
        QTest::newRow("no: as set") << Dialogs::Risposta::No << QRect(10, 10, 100, 300);
        QTest::newRow("cancel: nothing, window stays") << Dialogs::Risposta::Annulla << QRect();
    }
    // A print taller than the sheet asks before printing.
    void scala()
    {
        QFETCH(Dialogs::Risposta, risposta);
        QFETCH(QRect, rettangolo);
        Aperta env(QSize(100, 300));
        env.state->stampa.stampante = QStringLiteral("Aula"); // 200 × 287
        frmStampa &w = env.apri(1, 300);
        env.dialogs.risposte = {risposta};
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QCOMPARE(env.dialogs.questions.size(), 1);
        QVERIFY(env.dialogs.questions[0].endsWith(QStringLiteral("Posso cambiare la scala?")));
        QCOMPARE(w.isVisible(), rettangolo.isNull());
        QCOMPARE(env.printers.stampati.size(), rettangolo.isNull() ? 0 : 1);
        if (!rettangolo.isNull())
            QCOMPARE(env.printers.stampati[0].lavoro.rettangoloMm, rettangolo);
    }

    // A print the queue refuses leaves the window open with the user's values, and says so
    // (it was once reported as printed).
    void stampaFallita()
    {
        Aperta env;
        env.printers.rifiuta = true;
        frmStampa &w = env.apri();
        digita(w.txtPrX, QStringLiteral("20"));
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages[0].startsWith(QStringLiteral("Errore di StartDoc")));
        QCOMPARE(env.dialogs.titles[0], QStringLiteral(" Errore in frmStampaFPB/Print_Form"));
        QCOMPARE(w.posizione(), (Posizione{20, 10, 100, 50}));
    }

    // A drawing, chosen by click or by keyboard, opens the print window for it on a portrait
    // sheet; printing leaves the drawings open for the next one.
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
        int aperte = 0;
        quandoModale([&](QWidget *m) {
            ++aperte;
            clic(m, &frmStampa::cmdStampa);
        });
        QTest::mouseClick(figure.Picture1[2], Qt::LeftButton);
        QVERIFY(figure.isVisible());
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const auto &s = f.env.printers.stampati[0];
        QCOMPARE(s.lavoro.pagina.orientamento, 1);
        // Named for a teacher looking in a shared queue, not after an internal object.
        QCOMPARE(s.lavoro.titolo, QStringLiteral("Vorbello \u2013 figura da colorare 3"));
        const auto [dentro, fuori] = pixel(s, nero);
        QVERIFY(dentro > 100);
        QCOMPARE(fuori, 0);
        QCOMPARE(aperte, 1);
        figure.mnuEsci->trigger();
        QVERIFY(!figure.isVisible());
    }

    void menuStampa_data()
    {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<int>("orientamento"); // of the print made; 0: left without printing
        QTest::newRow("landscape") << "mnuStOr" << 2;
        QTest::newRow("drawings window left") << "mnuCol" << 0;
    }
    // The print menu prints the exercise window itself; coming back, printed or not, starts the
    // exercise again from level 1, with no row for the interrupted run.
    void menuStampa()
    {
        QFETCH(QString, voce);
        QFETCH(int, orientamento);
        Finestra f;
        QVERIFY(conFigure(f));
        auto *w = f.apri<FormEs1>("FormEs1");
        f.env.state->registro.iniziaEsercizio(QStringLiteral("Vero o falso"));
        w->mnuLiv_Click(3);
        QTest::mouseClick(w->Command1[1 - w->Soluzione], Qt::LeftButton);
        QCOMPARE(w->flow().wrongAnswers(), 1);
        const Registro &registro = f.env.state->registro;
        const int righe = registro.righe();
        quandoModale([&](QWidget *m) {
            if (auto *d = qobject_cast<Form1 *>(m))
                return d->mnuEsci->trigger();
            QCOMPARE(m->windowTitle(), QStringLiteral("  Stampa Vorbe "));
            clic(m, orientamento ? &frmStampa::cmdStampa : &frmStampa::cmdChiudi);
        });
        w->findChild<QAction *>(voce)->trigger();
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(f.env.printers.stampati.size(), orientamento ? 1 : 0);
        if (orientamento)
            QCOMPARE(f.env.printers.stampati[0].lavoro.pagina.orientamento, orientamento);
        QCOMPARE(w->flow().level(), 1);
        QCOMPARE(w->flow().wrongAnswers(), 0);
        QCOMPARE(registro.righe(), righe);
        QVERIFY(w->isVisible());
    }

    // A scale is applied once, when it is entered: passing through the box or pressing its OK
    // again must not undo sizes typed since.
    void scalaUnaVolta()
    {
        Aperta env;
        frmStampa &w = env.apri();
        digita(w.txtScala, QStringLiteral("2"));
        QTest::mouseClick(w.cmdScalaOK, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{10, 10, 200, 100}));
        // The box now shows 1 : 0.2, which would make it 2000 again.
        digita(w.txtPrW, QStringLiteral("1999"));
        Q_EMIT w.txtScala->editingFinished();
        QTest::mouseClick(w.cmdScalaOK, Qt::LeftButton);
        QCOMPARE(w.posizione(), (Posizione{10, 10, 1999, 1000}));
    }

    // The quick print: the window as it looks, on the default printer (else the first), whole and
    // in its shape, without a dialog; a failure is told.
    void stampaVeloce()
    {
        Finestra f;
        auto *w = f.apri<FormEs1>("FormEs1");
        w->resize(800, 600);
        w->mnuStEserc->trigger();
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const auto &s = f.env.printers.stampati[0];
        QCOMPARE(s.lavoro.stampante, QStringLiteral("Segreteria"));
        QCOMPARE(s.lavoro.titolo, QStringLiteral("Vorbello \u2013 Vero o falso"));
        QCOMPARE(s.lavoro.pagina.orientamento, 2);
        // 280 × 204 landscape: the width fits, 280 × 210 would not, so the height sets it.
        QCOMPARE(s.lavoro.rettangoloMm, QRect(0, 0, 272, 204));
        QVERIFY(f.env.dialogs.messages.isEmpty() && f.env.dialogs.questions.isEmpty());
        f.env.printers.preferita.clear();
        w->mnuStEserc->trigger();
        QCOMPARE(f.env.printers.stampati.last().lavoro.stampante, QStringLiteral("Aula"));
    }


    void risoluzione_data()
    {
        QTest::addColumn<QStringList>("nomi");
        QTest::addColumn<QString>("predefinita");
        QTest::addColumn<QString>("scelta");
        QTest::newRow("the default") << QStringList{"Aula", "Segreteria"} << "Segreteria" << "Segreteria";
        QTest::newRow("no default: the first") << QStringList{"Aula", "Segreteria"} << "" << "Aula";
        QTest::newRow("default gone: the first") << QStringList{"Aula"} << "Segreteria" << "Aula";
        QTest::newRow("nothing at all") << QStringList{} << "" << "";
    }
    // Which printer a first print goes to, and what the call reports: only a print is a print.
    void risoluzione()
    {
        QFETCH(QStringList, nomi);
        QFETCH(QString, predefinita);
        QFETCH(QString, scelta);
        Aperta env;
        env.printers.elenco = nomi;
        env.printers.preferita = predefinita;
        QString vista;
        if (!scelta.isEmpty())
            quandoModale([&](QWidget *m) {
                vista = static_cast<frmStampa *>(m)->cboPrinterNames->currentText();
                clic(m, &frmStampa::cmdOK);
            });
        QVERIFY(!StampaFPB(*env.state, nullptr, &env.obj, 10, 10, 100, 100, 1, QString()));
        QCOMPARE(vista, scelta);
        QCOMPARE(env.state->stampa.stampante, scelta);
        if (scelta.isEmpty())
            QCOMPARE(env.dialogs.messages, QStringList{QStringLiteral("Stampante di default non specificata.")});
        else {
            QVERIFY(env.dialogs.messages.isEmpty());
            quandoModale([](QWidget *m) { clic(m, &frmStampa::cmdStampa); });
            QVERIFY(StampaFPB(*env.state, nullptr, &env.obj, 10, 10, 100, 100, 1, QString()));
        }
    }

    // The PDF destination: a new file in the pupil's folder each time, shown once made.
    void destinazionePdf()
    {
        Aperta env;
        env.state->NomeUtente = QStringLiteral("Anna");
        QStringList aperti;
        env.state->apriDocumento = [&](const QString &p) {
            aperti.append(p);
            return true;
        };
        env.state->stampa.stampante = Printers::nomePdf();
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(env.apri().cmdStampa, Qt::LeftButton);
        QCOMPARE(aperti.size(), 2);
        QVERIFY(aperti[0] != aperti[1]);
        for (const QString &p : aperti) {
            QVERIFY2(QFileInfo(p).absolutePath().contains(QRegularExpression(QStringLiteral("/Vorbello/[dD]ati/Anna$"))),
                     qPrintable(p));
            QVERIFY(QFileInfo(p).fileName().startsWith(QStringLiteral("stampa-")));
            QVERIFY(QFileInfo::exists(p));
        }
    }
};

QTEST_MAIN(TestStampa)
#include "tst_stampa.moc"
