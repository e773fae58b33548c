// Printing through the real system printers: a CUPS queue whose printer is stopped keeps every
// job, so the test counts the jobs, reads their titles and renders the spooled pages. The queue
// is named by VORBELLO_CUPS_QUEUE (scripts/test sets it up); without it there is nothing to test.

#include "Finestrella.h"
#include "QtWarnings.h"
#include "platform/Printers.h"

#include <QDebug>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString coda()
{
    return qEnvironmentVariable("VORBELLO_CUPS_QUEUE");
}

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    return p.waitForFinished(60000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                  : QStringLiteral("ERROR ") + QString::fromLocal8Bit(p.readAllStandardError());
}

QStringList cupsJobs(const QString &azione)
{
    return esegui(QStringLiteral(VORBELLO_TEST_DATA "/../print/cups-jobs"), {azione, coda()})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int pagine(const QString &pdf)
{
    const QString info = esegui(QStringLiteral("pdfinfo"), {pdf});
    const qsizetype i = info.indexOf(QStringLiteral("Pages:"));
    return i < 0 ? -1 : info.mid(i + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

const double PixelMm = 50 / 25.4; // pages are rendered at 50 dpi

// Where the blue drawing lies on the first page of a PDF, in its rendered pixels.
QRect bluSullaPagina(const QString &pdf, bool *orizzontale)
{
    QTemporaryDir tmp;
    esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-l"),
                                        QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                        pdf, tmp.filePath(QStringLiteral("pagina"))});
    const QImage img(tmp.filePath(QStringLiteral("pagina.png")));
    *orizzontale = img.width() > img.height();
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 80 && c.green() < 80)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

// Where the driver's printable area starts on the sheet, in millimetres.
QPointF originePagina(int orientamento)
{
    QPrinter probe(QPrinter::HighResolution);
    probe.setPrinterName(coda());
    probe.setPageSize(QPageSize(QPageSize::A4));
    probe.setPageOrientation(orientamento == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    return probe.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
}

// A job on A4 painting the rectangle blue, to the test queue.
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

    void stampa_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<int>("orientamento");
        QTest::addColumn<int>("copie");
        QTest::addColumn<QRect>("mm");
        QTest::newRow("three copies, landscape") << false << 2 << 3 << QRect(20, 30, 100, 50);
        QTest::newRow("PDF: one document whatever the copies") << true << 1 << 4 << QRect(10, 10, 100, 50);
    }
    // A job of one page per copy (one file for a PDF), titled as asked, on a page turned as asked,
    // the picture where the rectangle puts it: millimetres from the printable area's corner.
    void stampa()
    {
        QFETCH(bool, pdf);
        QFETCH(int, orientamento);
        QFETCH(int, copie);
        QFETCH(QRect, mm);
        QtPrinters printers;
        QTemporaryDir tmp;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Finestrella"), orientamento, mm);
        lavoro.copie = copie;
        if (pdf) {
            lavoro.stampante = Printers::nomePdf();
            lavoro.filePdf = tmp.filePath(QStringLiteral("prova.pdf"));
        }
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QStringList files{lavoro.filePdf};
        QPointF origine; // a PDF has no margins
        if (!pdf) {
            QCOMPARE(esito.lavori, copie);
            QCOMPARE(cupsJobs(QStringLiteral("titles")), QStringList(copie, lavoro.titolo));
            files = cupsJobs(QStringLiteral("files"));
            if (files.value(0).startsWith(QStringLiteral("ERROR")))
                QSKIP("the spool is not readable by this user: job contents not checked");
            QCOMPARE(files.size(), copie);
            origine = originePagina(orientamento);
        }
        for (const QString &f : files)
            QCOMPARE(pagine(f), 1);
        bool orizzontale = false;
        const QRect trovato = bluSullaPagina(files[0], &orizzontale);
        QCOMPARE(orizzontale, orientamento == 2);
        const QRect atteso(qRound((origine.x() + mm.x()) * PixelMm), qRound((origine.y() + mm.y()) * PixelMm),
                           qRound(mm.width() * PixelMm), qRound(mm.height() * PixelMm));
        const auto vicino = [](int a, int b) { return qAbs(a - b) <= 2; };
        QVERIFY2(vicino(trovato.x(), atteso.x()) && vicino(trovato.y(), atteso.y()) &&
                     vicino(trovato.width(), atteso.width()) && vicino(trovato.height(), atteso.height()),
                 qPrintable(QDebug::toString(trovato) + QStringLiteral(" instead of ") + QDebug::toString(atteso)));
    }

    void rifiutata_data()
    {
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<bool>("nonParte");
        QTest::newRow("no such printer") << "NessunaStampanteCosi" << false;
        QTest::newRow("a queue refusing jobs") << qEnvironmentVariable("VORBELLO_CUPS_REFUSING_QUEUE") << true;
    }
    // A print that cannot go out is not reported as printed.
    void rifiutata()
    {
        QFETCH(QString, stampante);
        QFETCH(bool, nonParte);
        if (stampante.isEmpty())
            QSKIP("VORBELLO_CUPS_REFUSING_QUEUE is not set");
        QtPrinters printers;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Rifiutata"), 1, QRect(10, 10, 50, 50));
        lavoro.stampante = stampante;
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY(!esito.riuscito);
        QCOMPARE(esito.nonParte, nonParte);
        QCOMPARE(cupsJobs(QStringLiteral("count")), QStringList{QStringLiteral("0")});
    }
};

QTEST_MAIN(TestStampaCups)
#include "tst_stampacups.moc"
