#include "platform/Printers.h"

#include <QLibrary>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#ifdef VORBELLO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

bool isPdf(const QString &name)
{
    return name == Printers::nomePdf();
}

// A printer set up for the page; the PDF destination covers the whole sheet.
void prepara(QPrinter &printer, const QString &name, const ImpostazioniPagina &pagina)
{
    if (isPdf(name)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(pagina.pagina.isValid() ? pagina.pagina : QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    } else {
        printer.setPrinterName(name);
        if (pagina.pagina.isValid())
            printer.setPageSize(pagina.pagina);
    }
    printer.setPageOrientation(pagina.orientamento == 2 ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
    printer.setFullPage(false);
}

Foglio misura(const QPrinter &printer)
{
    const QRectF r = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    return {int(std::lround(r.width())), int(std::lround(r.height()))};
}

bool esiste(const QString &name)
{
    return isPdf(name) || QPrinterInfo::availablePrinterNames().contains(name);
}

#ifdef VORBELLO_HAVE_CUPS
// libcups, with what it brings (TLS, Kerberos, Avahi), is opened at the first print rather than
// at start: a pupil who never prints does not carry it.
struct Cups
{
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
};

const Cups &cups()
{
    static const Cups found = [] {
        Cups c;
        QLibrary lib(QStringLiteral("cups"), 2);
        lib.setLoadHints(QLibrary::PreventUnloadHint);
        if (!lib.load())
            return c;
        c.getNamedDest = reinterpret_cast<decltype(&cupsGetNamedDest)>(lib.resolve("cupsGetNamedDest"));
        c.getOption = reinterpret_cast<decltype(&cupsGetOption)>(lib.resolve("cupsGetOption"));
        c.freeDests = reinterpret_cast<decltype(&cupsFreeDests)>(lib.resolve("cupsFreeDests"));
        if (!c.getNamedDest || !c.getOption || !c.freeDests)
            c = Cups();
        return c;
    }();
    return found;
}
#endif

// Qt hands the finished document to CUPS without looking at the answer, so a queue that refuses
// jobs would pass for printed: ask CUPS first. Without libcups Qt cannot print through CUPS
// either, and its own answer stands.
bool accettaLavori(const QString &name)
{
#ifdef VORBELLO_HAVE_CUPS
    const Cups &c = cups();
    if (isPdf(name) || !c.getNamedDest)
        return true;
    const QByteArray utf8 = name.toUtf8();
    cups_dest_t *dest = c.getNamedDest(CUPS_HTTP_DEFAULT, utf8.constData(), nullptr);
    if (!dest)
        return false;
    const char *v = c.getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool accetta = !v || qstrcmp(v, "false") != 0;
    c.freeDests(1, dest);
    return accetta;
#else
    Q_UNUSED(name);
    return true;
#endif
}

} // namespace

QRect RettangoloPixel(const QRect &mm, const Foglio &foglio, const QSize &pixel)
{
    if (!foglio.valido())
        return {};
    const double ox = double(pixel.width()) / foglio.larghezza;
    const double oy = double(pixel.height()) / foglio.altezza;
    return QRect(int(std::lround(mm.x() * ox)), int(std::lround(mm.y() * oy)),
                 int(std::lround(mm.width() * ox)), int(std::lround(mm.height() * oy)));
}

QStringList QtPrinters::nomi() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(nomePdf());
    return names;
}

QString QtPrinters::predefinita() const
{
    return QPrinterInfo::defaultPrinterName();
}

Foglio QtPrinters::foglio(const QString &stampante, const ImpostazioniPagina &pagina) const
{
    if (stampante.isEmpty() || !esiste(stampante))
        return {};
    QPrinter printer(QPrinter::HighResolution);
    prepara(printer, stampante, pagina);
    if (!isPdf(stampante) && !printer.isValid())
        return {};
    return misura(printer);
}

bool QtPrinters::proprieta(QWidget *parent, const QString &stampante, ImpostazioniPagina &pagina)
{
    if (!esiste(stampante))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    prepara(printer, stampante, pagina);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ProprietaStampante"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    pagina.orientamento = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    pagina.pagina = printer.pageLayout().pageSize();
    return true;
}

EsitoStampa QtPrinters::stampa(const LavoroStampa &lavoro)
{
    EsitoStampa esito;
    if (!esiste(lavoro.stampante)) {
        esito.errore = QStringLiteral("stampante sconosciuta: ") + lavoro.stampante;
        return esito;
    }
    if (!accettaLavori(lavoro.stampante)) {
        esito.nonParte = true;
        esito.errore = QStringLiteral("la stampante non accetta lavori: ") + lavoro.stampante;
        return esito;
    }
    if (isPdf(lavoro.stampante) && lavoro.filePdf.isEmpty()) {
        esito.errore = QStringLiteral("nessun file PDF");
        return esito;
    }
    // A PDF is one document however many copies were asked for.
    const int copie = isPdf(lavoro.stampante) ? 1 : std::max(1, lavoro.copie);
    for (int copia = 0; copia < copie; ++copia) {
        QPrinter printer(QPrinter::HighResolution);
        prepara(printer, lavoro.stampante, lavoro.pagina);
        if (isPdf(lavoro.stampante))
            printer.setOutputFileName(lavoro.filePdf);
        printer.setDocName(lavoro.titolo);
        printer.setCopyCount(1);
        QPainter painter;
        if (!painter.begin(&printer)) {
            esito.nonParte = esito.lavori == 0;
            esito.errore = QStringLiteral("il lavoro di stampa non parte");
            return esito;
        }
        const QRect target =
            RettangoloPixel(lavoro.rettangoloMm, misura(printer), QSize(printer.width(), printer.height()));
        bool pagineOk = true;
        if (lavoro.disegnaPagine)
            lavoro.disegnaPagine(painter, target, [&printer, &pagineOk] {
                pagineOk = pagineOk && printer.newPage();
                return pagineOk;
            });
        else if (lavoro.disegna)
            lavoro.disegna(painter, target);
        if (!pagineOk) {
            painter.end();
            esito.errore = QStringLiteral("una nuova pagina non parte");
            return esito;
        }
        if (!painter.end()) {
            esito.errore = QStringLiteral("il lavoro di stampa non si chiude");
            return esito;
        }
        ++esito.lavori;
    }
    esito.riuscito = true;
    return esito;
}
