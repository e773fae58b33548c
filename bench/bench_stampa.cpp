// Figures for printing: the print window opened on a full-screen exercise (its picture taken
// once), the preview redrawn as a box is typed in, and a page made into a PDF at print quality.

#include "EsercizioEnv.h"
#include "exercises/FormEs1.h"
#include "print/frmStampa.h"

#include "Misura.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void report(const char *what, std::pair<double, double> mw)
{
    std::printf("%-50s median %7.2f ms, worst %7.2f ms\n", what, mw.first, mw.second);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Finestra f;
    auto *es = f.apri<FormEs1>("FormEs1");
    es->resize(1024, 768);
    es->grab();

    report("Print window opened on a 1024 x 768 exercise", medianWorstMs([&](int) {
        frmStampa w(*f.env.state);
        w.Prepara(es, 10, 10, 100, 100, 2, QString(), std::nullopt);
        w.Apri();
        w.show();
        w.grab();
    }, 30));

    frmStampa w(*f.env.state);
    w.Prepara(es, 10, 10, 100, 100, 2, QString(), std::nullopt);
    w.Apri();
    w.show();
    report("Preview after a typed width (box, proportions, paint)", medianWorstMs([&](int i) {
        w.txtPrW->setText(QString::number(80 + i % 100));
        Q_EMIT w.txtPrW->textEdited(w.txtPrW->text());
        w.grab();
    }, 100));

    QTemporaryDir tmp;
    QtPrinters printers;
    report("Exercise printed to PDF (A4 landscape, 1200 dpi)", medianWorstMs([&](int i) {
        LavoroStampa l;
        l.stampante = Printers::nomePdf();
        l.pagina = {2, QPageSize(QPageSize::A4)};
        l.rettangoloMm = QRect(10, 10, 260, 195);
        const QImage img = es->grab().toImage();
        l.disegna = [&img](QPainter &p, const QRect &r) { p.drawImage(r, img); };
        l.filePdf = tmp.filePath(QStringLiteral("p%1.pdf").arg(i));
        printers.stampa(l);
    }, 10));
    return 0;
}
