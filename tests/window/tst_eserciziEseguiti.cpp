// The log window: the current runs as a table, reports saved and reopened, failures told.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "log/FormEserciziEseguiti.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

namespace {

QString cell(FormEserciziEseguiti *w, int r, int c)
{
    auto *item = w->MSFlexGrid1->item(r, c);
    return item ? item->text() : QString();
}

struct FinestraRegistro : Finestra
{
    FormEserciziEseguiti *w = nullptr;
    FinestraRegistro()
    {
        env.state->NomeUtente = QStringLiteral("Anna");
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/dati"));
        // Two runs: the first left two results, the second one.
        Registro &r = env.state->registro;
        r.iniziaEsercizio(QStringLiteral("Vero o falso"));
        r.scriviRisultato(1, 9, 2);
        r.scriviRisultato(2, 3, 5);
        r.iniziaEsercizio(QStringLiteral("Insiemi"));
        r.scriviRisultato(1, 4, 0);
        w = apri<FormEserciziEseguiti>("FormEserciziEseguiti");
    }
    QString report(const QString &name) const { return env.driveC() + "/ImpostazioniProgrammiQuorla/Vorbello/dati/Anna/" + name; }
};

} // namespace

class TestRegistro : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // The table shows the log's rows, numbered, under the header of the language.
    void shows()
    {
        FinestraRegistro f;
        QCOMPARE(f.w->MSFlexGrid1->rowCount(), 6);
        const QStringList cells{cell(f.w, 0, 1), cell(f.w, 0, 2), cell(f.w, 1, 0), cell(f.w, 1, 1),
                                cell(f.w, 2, 4), cell(f.w, 3, 1), cell(f.w, 4, 1)};
        QCOMPARE(cells, (QStringList{"Esercizio", "Livello ", "1", "Vero o falso", "5", "", "Insiemi"}));
        QCOMPARE(f.w->Label1->text(), QStringLiteral("Anna"));
        QVERIFY(f.w->Label2->text().startsWith(QStringLiteral("Data:")));
    }

    // Saved into the user's report folder and opened again: the same cells, the row numbers
    // made again, and the header of a report read from a file.
    void saveAndOpen()
    {
        FinestraRegistro f;
        f.env.dialogs.files = {f.report("oggi.rpt"), f.report("oggi.rpt")};
        f.w->mnuSalva_Click();
        QVERIFY(f.env.dialogs.messages.isEmpty());
        QVERIFY(QFile::exists(f.report("oggi.rpt")));
        QVERIFY(!f.env.dialogs.fileRequests[0].apri);
        QCOMPARE(f.env.dialogs.fileRequests[0].estensione, QStringLiteral("rpt"));
        const Rapporto saved = f.w->rapporto();
        f.env.state->registro.svuota(); // the log moves on; the report does not
        f.w->mnuApri_Click();
        QVERIFY(f.env.dialogs.messages.isEmpty());
        QCOMPARE(f.w->rapporto(), saved);
        QCOMPARE(cell(f.w, 0, 1), QStringLiteral("Esercizio (da file)"));
        QCOMPARE(cell(f.w, 5, 0), QStringLiteral("5"));
    }

    // Cancelling or a damaged file is told, and an older report is never spoilt.
    void failures()
    {
        FinestraRegistro f;
        f.w->mnuSalva_Click(); // cancelled
        QCOMPARE(f.env.dialogs.messages, QStringList{"Il file non è stato salvato."});
        f.w->mnuApri_Click(); // cancelled
        QCOMPARE(f.env.dialogs.messages.last(), QStringLiteral("Il file non è stato aperto."));
        QCOMPARE(f.w->MSFlexGrid1->item(1, 1)->text(), QString());
        f.env.put("C/ImpostazioniProgrammiQuorla/Vorbello/dati/Anna/rotto.rpt", "Anna\r\nD\r\n 3 \r\nInsiemi\r\n1\r\n4\r\n0\r\n");
        f.env.dialogs.files = {f.report("rotto.rpt")};
        f.w->mnuApri_Click();
        QCOMPARE(f.env.dialogs.messages.size(), 3);
        QCOMPARE(cell(f.w, 1, 1), QStringLiteral("Insiemi"));
        // A report that cannot be written leaves the folder's old one whole.
        QDir().mkpath(f.report("cartella.rpt"));
        f.env.dialogs.files = {f.report("cartella.rpt")};
        f.w->mnuSalva_Click();
        QCOMPARE(f.env.dialogs.messages.size(), 4);
        QCOMPARE(f.env.dialogs.messages.last(), QStringLiteral("Il file non è stato salvato."));
    }

    void print_data()
    {
        QTest::addColumn<int>("righe");
        QTest::addColumn<bool>("soloPdf");
        QTest::newRow("short log, printer") << 4 << false;
        QTest::newRow("full log, printer") << 500 << false;
        QTest::newRow("no printer: a PDF in the pupil's folder") << 4 << true;
    }
    // Yes prints the table landscape on the default printer, on as many pages as it takes; with
    // no printer the PDF made is shown.
    void print()
    {
        QFETCH(int, righe);
        QFETCH(bool, soloPdf);
        FinestraRegistro f;
        Registro &r = f.env.state->registro;
        r.svuota();
        r.iniziaEsercizio(QStringLiteral("Vero o falso"));
        for (int i = 1; i <= righe; ++i)
            r.scriviRisultato(1, i, 0);
        f.w->hide();
        f.w->show();
        QVERIFY(f.w->MSFlexGrid1->rowCount() > righe);
        if (soloPdf) {
            f.env.printers.elenco = {Printers::nomePdf()};
            f.env.printers.preferita.clear();
        }
        QStringList aperti;
        f.env.state->apriDocumento = [&](const QString &p) {
            aperti.append(p);
            return true;
        };
        f.env.dialogs.answers = {true};
        f.w->mnuStampa_Click();
        // One notice: the printer's, or where the PDF is (never "printed on the default printer").
        QCOMPARE(f.env.dialogs.messages.size(), 1);
        QCOMPARE(f.env.dialogs.messages[0].startsWith(QStringLiteral("L'elenco viene stampato")), !soloPdf);
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const auto &s = f.env.printers.stampati[0];
        QCOMPARE(s.lavoro.pagina.orientamento, 2);
        QCOMPARE(s.lavoro.stampante, soloPdf ? Printers::nomePdf() : QStringLiteral("Segreteria"));
        if (righe > 100)
            QVERIFY(s.altrePagine.size() >= 5);
        else
            QVERIFY(s.altrePagine.isEmpty());
        QCOMPARE(aperti.size(), soloPdf ? 1 : 0);
        if (soloPdf) {
            QVERIFY(aperti[0].startsWith(f.report(QStringLiteral("registro-"))));
            QVERIFY(QFileInfo::exists(aperti[0]));
            QCOMPARE(f.env.dialogs.messages[0], QStringLiteral("La stampa è stata salvata come file PDF:\n") + aperti[0]);
        }
    }

    void printFitsPaper_data()
    {
        QTest::addColumn<int>("larghezza");
        for (int w : {1024, 1920, 3840})
            QTest::addRow("%d px", w) << w;
    }
    // The columns follow the window's width, the paper does not: however wide the window, the
    // whole table is on the sheet, its columns in the window's proportions.
    void printFitsPaper()
    {
        QFETCH(int, larghezza);
        FinestraRegistro f;
        f.w->resize(larghezza, 700);
        QTRY_COMPARE(f.w->MSFlexGrid1->columnWidth(1), 10 * f.w->MSFlexGrid1->columnWidth(4) / 4);
        f.env.dialogs.answers = {true};
        f.w->mnuStampa_Click();
        QCOMPARE(f.env.printers.stampati.size(), 1);
        const QImage page = f.env.printers.stampati[0].pagina;
        // The table's rules are the columns dark over most of the table's height.
        QList<int> dark(page.width());
        for (int x = 0; x < page.width(); ++x)
            for (int y = 0; y < page.height(); ++y)
                dark[x] += qGray(page.pixel(x, y)) < 128;
        const int tallest = *std::max_element(dark.begin(), dark.end());
        QList<int> rules;
        for (int x = 0; x < page.width(); ++x)
            if (dark[x] > tallest * 3 / 4 && (rules.isEmpty() || x > rules.last() + 2))
                rules.append(x);
        QCOMPARE(rules.size(), 6);
        QVERIFY2(rules.last() < page.width() - 5, qPrintable(QString::number(rules.last())));
        QList<int> w;
        for (int i = 1; i < rules.size(); ++i)
            w.append(rules[i] - rules[i - 1]);
        // (the last column ends one spacing further out, as on screen)
        QVERIFY(qAbs(w[2] - w[3]) <= 2 && qAbs(w[3] - w[4]) <= 15);
        QVERIFY(qAbs(w[1] - 2.5 * w[2]) < 0.1 * w[1]);
    }

    // Printing asks first: No prints nothing. A printer that fails is told, not passed over in
    // silence.
    void printNoOrFails()
    {
        FinestraRegistro f;
        f.env.printers.rifiuta = true;
        f.w->mnuStampa_Click();
        QCOMPARE(f.env.dialogs.questions, QStringList{"Vuoi stampare l'elenco degli esercizi eseguiti?"});
        QVERIFY(f.env.dialogs.messages.isEmpty());
        f.env.dialogs.answers = {true};
        f.w->mnuStampa_Click();
        QCOMPARE(f.env.dialogs.messages.size(), 2);
        QVERIFY(f.env.dialogs.messages[1].startsWith(QStringLiteral("Errore di StartDoc")));
    }
};

QTEST_MAIN(TestRegistro)
#include "tst_eserciziEseguiti.moc"
