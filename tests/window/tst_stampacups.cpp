// Printing through the real system printers: a CUPS queue whose printer is stopped keeps every
// job, so the test counts the jobs, reads their titles and renders the spooled pages. The queue
// is named by VORBELLO_CUPS_QUEUE (scripts/test sets it up); without it there is nothing to test.

#include "Finestrella.h"
#include "QtWarnings.h"
#include "platform/Printers.h"

#include <QPainter>
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
        QTest::addColumn<int>("copie");
        QTest::newRow("three copies") << false << 3;
        QTest::newRow("PDF: one document whatever the copies") << true << 4;
    }
    // A job of one page per copy (one file for a PDF), titled as asked. Where the picture lands
    // is the printers layer's arithmetic, tested without a queue.
    void stampa()
    {
        QFETCH(bool, pdf);
        QFETCH(int, copie);
        QtPrinters printers;
        QTemporaryDir tmp;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Finestrella"), 2, QRect(20, 30, 100, 50));
        lavoro.copie = copie;
        if (pdf) {
            lavoro.stampante = Printers::nomePdf();
            lavoro.filePdf = tmp.filePath(QStringLiteral("prova.pdf"));
        }
        const EsitoStampa esito = printers.stampa(lavoro);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QStringList files{lavoro.filePdf};
        if (!pdf) {
            QCOMPARE(esito.lavori, copie);
            QCOMPARE(cupsJobs(QStringLiteral("titles")), QStringList(copie, lavoro.titolo));
            files = cupsJobs(QStringLiteral("files"));
            if (files.value(0).startsWith(QStringLiteral("ERROR")))
                QSKIP("the spool is not readable by this user: job contents not checked");
            QCOMPARE(files.size(), copie);
        }
        for (const QString &f : files)
            QCOMPARE(pagine(f), 1);
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

    // A document of pages (the printed log) is one job with all its pages.
    void documentoDiPagine()
    {
        QtPrinters printers;
        LavoroStampa lavoro = lavoroBlu(QStringLiteral("Registro"), 2, QRect(0, 0, 100, 100));
        lavoro.disegnaPagine = [](QPainter &p, const QRect &r, const std::function<bool()> &nuova) {
            for (int i = 0; i < 3; ++i) {
                if (i > 0 && !nuova())
                    return;
                p.fillRect(r, Finestrella::blu());
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
};

QTEST_MAIN(TestStampaCups)
#include "tst_stampacups.moc"
