// Printing through the real system printers: a CUPS queue whose printer is stopped keeps every
// job, so the test counts the jobs, reads their titles and renders the spooled pages. The queue
// is named by VORBELLO_CUPS_QUEUE (scripts/test sets it up); without it there is nothing to test.

#include "Finestrella.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/FormBase.h"
#include "platform/Printers.h"
#include "print/frmStampa.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Jobs = QStringLiteral(VORBELLO_TEST_DATA "/../print/cups-jobs");

QString coda()
{
    return qEnvironmentVariable("VORBELLO_CUPS_QUEUE");
}

QStringList cupsJobs(const QString &azione)
{
    QProcess p;
    p.start(Jobs, {azione, coda()});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {QStringLiteral("ERROR ") + QString::fromLocal8Bit(p.readAllStandardError())};
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The first page of a PDF at 50 dpi.
QImage rendi(const QString &pdf, const QString &cartella)
{
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"),
                                         QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("1"),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                         pdf, cartella + QStringLiteral("/pagina")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(cartella + QStringLiteral("/pagina.png"));
}

int pagine(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000))
        return -1;
    for (const QString &l : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (l.startsWith(QStringLiteral("Pages:")))
            return l.mid(6).trimmed().toInt();
    return -1;
}

// The bounding box of the blue pixels of a page.
QRect blu(const QImage &img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 80 && c.green() < 80)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

// A one-page job on A4 painting the rectangle blue, to the test queue.
LavoroStampa lavoroBlu(const QString &titolo, int orientamento, const QRect &mm)
{
    LavoroStampa lavoro;
    lavoro.stampante = coda();
    lavoro.titolo = titolo;
    lavoro.pagina = {orientamento, QPageSize(QPageSize::A4)};
    lavoro.rettangoloMm = mm;
    lavoro.disegna = [](QPainter &p, const QRect &r) { p.fillRect(r, Finestrella::blu()); };
    return lavoro;
}

} // namespace

class TestStampaCups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (coda().isEmpty())
            QSKIP("VORBELLO_CUPS_QUEUE is not set: no CUPS queue to print to");
        QVERIFY2(QtPrinters().nomi().contains(coda()), qPrintable(coda()));
    }
    void init()
    {
        failOnQtWarnings();
        QCOMPARE(cupsJobs(QStringLiteral("clear")), QStringList());
    }
    void cleanup() { cupsJobs(QStringLiteral("clear")); }

    // The printable area as the driver reports it, turned with the orientation.
    void foglio()
    {
        QtPrinters printers;
        const Foglio verticale = printers.foglio(coda(), {1, QPageSize(QPageSize::A4)});
        const Foglio orizzontale = printers.foglio(coda(), {2, QPageSize(QPageSize::A4)});
        QVERIFY(verticale.valido());
        QVERIFY(verticale.larghezza > 190 && verticale.larghezza <= 210);
        QVERIFY(verticale.altezza > 277 && verticale.altezza <= 297);
        QCOMPARE(orizzontale.larghezza, verticale.altezza);
        QCOMPARE(orizzontale.altezza, verticale.larghezza);
        QVERIFY(!printers.foglio(QStringLiteral("NessunaStampanteCosi"), {}).valido());
        // Another paper is measured as such.
        const Foglio a5 = printers.foglio(coda(), {1, QPageSize(QPageSize::A5)});
        QVERIFY(a5.larghezza > 130 && a5.larghezza <= 148);
        QVERIFY(a5.altezza > 190 && a5.altezza <= 210);
    }

    // A queue that refuses jobs is not a print: the job is reported as not started, and the
    // print window stays open saying so.
    void codaCheRifiuta()
    {
        const QString rifiuta = qEnvironmentVariable("VORBELLO_CUPS_REFUSING_QUEUE");
        if (rifiuta.isEmpty())
            QSKIP("VORBELLO_CUPS_REFUSING_QUEUE is not set");
        TestEnv env;
        QtPrinters printers;
        env.state->printers = &printers;
        env.state->stampa.stampante = rifiuta;
        Finestrella obj(*env.state, QSize(200, 200));
        frmStampa w(*env.state);
        QVERIFY(apriStampa(w, &obj));
        QCOMPARE(w.cboPrinterNames->currentText(), rifiuta);
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages[0].startsWith(QStringLiteral("Errore di StartDoc")));
    }

    // Three copies from the print window are three jobs of one page each, titled after the
    // window, with the picture where the boxes put it (mm from the printable area's corner).
    void treCopie()
    {
        TestEnv env;
        QtPrinters printers;
        env.state->printers = &printers;
        env.state->stampa.stampante = coda();
        Finestrella obj(*env.state, QSize(400, 200));
        frmStampa w(*env.state);
        QVERIFY(w.Prepara(&obj, 20, 30, 100, 100, 1, QString(), std::nullopt));
        w.Apri();
        w.show();
        QCOMPARE(w.cboPrinterNames->currentText(), coda());
        w.txtNCopies->setText(QStringLiteral("3"));
        QTest::mouseClick(w.cmdStampa, Qt::LeftButton);
        QVERIFY2(env.dialogs.messages.isEmpty(), qPrintable(env.dialogs.messages.join(QLatin1Char('|'))));
        QCOMPARE(w.result(), int(QDialog::Accepted));

        QCOMPARE(cupsJobs(QStringLiteral("count")), QStringList{QStringLiteral("3")});
        QCOMPARE(cupsJobs(QStringLiteral("titles")), QStringList(3, QStringLiteral("Finestrella")));
        const QStringList files = cupsJobs(QStringLiteral("files"));
        if (files.value(0).startsWith(QStringLiteral("ERROR")))
            QSKIP("the spool is not readable by this user: job contents not checked");
        QCOMPARE(files.size(), 3);
        QTemporaryDir tmp;
        for (const QString &f : files)
            QCOMPARE(pagine(f), 1);
        const QImage page = rendi(files[0], tmp.path());
        QVERIFY(!page.isNull());
        // Where the printable area starts on the sheet: the driver's margins.
        QPrinter probe(QPrinter::HighResolution);
        probe.setPrinterName(coda());
        probe.setPageSize(QPageSize(QPageSize::A4));
        const QRectF area = probe.pageLayout().paintRect(QPageLayout::Millimeter);
        const double px = 50 / 25.4;
        const QRect atteso(qRound((area.x() + 20) * px), qRound((area.y() + 30) * px), qRound(100 * px),
                           qRound(50 * px));
        const QRect trovato = blu(page);
        QVERIFY2(qAbs(trovato.x() - atteso.x()) <= 2 && qAbs(trovato.y() - atteso.y()) <= 2 &&
                     qAbs(trovato.width() - atteso.width()) <= 2 &&
                     qAbs(trovato.height() - atteso.height()) <= 2,
                 qPrintable(QStringLiteral("expected %1,%2 %3x%4, found %5,%6 %7x%8")
                                .arg(atteso.x()).arg(atteso.y()).arg(atteso.width()).arg(atteso.height())
                                .arg(trovato.x()).arg(trovato.y()).arg(trovato.width()).arg(trovato.height())));
    }

    // A landscape print goes out on a landscape page.
    void orizzontale()
    {
        QtPrinters printers;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Orizzontale"), 2, QRect(0, 0, 50, 50));
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.lavori, 1);
        QCOMPARE(cupsJobs(QStringLiteral("titles")), QStringList{QStringLiteral("Orizzontale")});
        const QStringList files = cupsJobs(QStringLiteral("files"));
        if (files.value(0).startsWith(QStringLiteral("ERROR")))
            QSKIP("the spool is not readable by this user: job contents not checked");
        QTemporaryDir tmp;
        const QImage page = rendi(files[0], tmp.path());
        QVERIFY(page.width() > page.height());
        // The picture sits at the printable area's top-left corner of the turned page.
        QPrinter probe(QPrinter::HighResolution);
        probe.setPrinterName(coda());
        probe.setPageSize(QPageSize(QPageSize::A4));
        probe.setPageOrientation(QPageLayout::Landscape);
        const QRectF area = probe.pageLayout().paintRect(QPageLayout::Millimeter);
        const double px = 50 / 25.4;
        const QRect trovato = blu(page);
        QVERIFY(qAbs(trovato.x() - qRound(area.x() * px)) <= 2);
        QVERIFY(qAbs(trovato.y() - qRound(area.y() * px)) <= 2);
        QVERIFY(qAbs(trovato.width() - qRound(50 * px)) <= 2);
        QVERIFY(qAbs(trovato.height() - qRound(50 * px)) <= 2);
    }

    // A document of pages (the printed log) is one job with all its pages.
    void documentoDiPagine()
    {
        QtPrinters printers;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Registro"), 2, QRect(0, 0, 100, 100));
        lavoro.disegnaPagine = [](QPainter &p, const QRect &r, const std::function<bool()> &nuova) {
            for (int i = 0; i < 3; ++i) {
                if (i > 0 && !nuova())
                    return;
                p.fillRect(r.adjusted(0, 0, -r.width() / 2, -r.height() / 2), QColor(0, 0, 200));
            }
        };
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(cupsJobs(QStringLiteral("count")), QStringList{QStringLiteral("1")});
        const QStringList files = cupsJobs(QStringLiteral("files"));
        if (files.value(0).startsWith(QStringLiteral("ERROR")))
            QSKIP("the spool is not readable by this user: job contents not checked");
        QCOMPARE(pagine(files[0]), 3);
    }

    // The PDF destination writes one document whatever the copies, and a printer that is not
    // there is refused, not reported as printed.
    void pdfESconosciuta()
    {
        QtPrinters printers;
        QTemporaryDir tmp;
        LavoroStampa lavoro = lavoroBlu(QString(), 1, QRect(10, 10, 100, 50));
        lavoro.stampante = Printers::nomePdf();
        lavoro.copie = 4;
        lavoro.filePdf = tmp.filePath(QStringLiteral("prova.pdf"));
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(pagine(lavoro.filePdf), 1);
        const QImage page = rendi(lavoro.filePdf, tmp.path());
        const double px = 50 / 25.4;
        const QRect trovato = blu(page);
        QVERIFY(qAbs(trovato.x() - qRound(10 * px)) <= 2);
        QVERIFY(qAbs(trovato.width() - qRound(100 * px)) <= 2);

        lavoro.stampante = QStringLiteral("NessunaStampanteCosi");
        QVERIFY(!printers.stampa(lavoro).riuscito);
        QCOMPARE(cupsJobs(QStringLiteral("count")), QStringList{QStringLiteral("0")});
    }
};

QTEST_MAIN(TestStampaCups)
#include "tst_stampacups.moc"
