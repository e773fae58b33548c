#pragma once

#include <QPageSize>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QWidget;

// The page settings a print carries from one printer to the next: orientation (1 portrait,
// 2 landscape) and paper.
struct ImpostazioniPagina
{
    int orientamento = 1;
    QPageSize pagina{QPageSize::A4};
};

// The printable area of a sheet in whole millimetres; -1 × -1 when there is no such printer.
struct Foglio
{
    int larghezza = -1;
    int altezza = -1;
    bool valido() const { return larghezza > 0 && altezza > 0; }
};

// One print: a drawing (or a document of pages) placed on a rectangle of the printable area (in millimetres from its
// top-left corner), once per copy.
struct LavoroStampa
{
    QString stampante;
    QString titolo;
    ImpostazioniPagina pagina;
    int copie = 1;
    QRect rettangoloMm;
    // Paints the object into the target rectangle, given in the painter's (device) pixels.
    std::function<void(QPainter &, const QRect &)> disegna;
    // Instead, for a document of several pages: paints from the top of the rectangle and calls
    // nuovaPagina (false when the page could not be started) to go on to the next page.
    std::function<void(QPainter &, const QRect &, const std::function<bool()> &nuovaPagina)>
        disegnaPagine;
    // Where the "PDF file" destination writes (host path).
    QString filePdf;
};

struct EsitoStampa
{
    bool riuscito = false;
    int lavori = 0; // print jobs sent
    bool nonParte = false; // the first job could not even start
    QString errore; // what went wrong, for the message
};

// The system's printers, through Qt PrintSupport (CUPS on Linux), plus a destination that writes
// a PDF file, so printing works on a machine without printers.
class Printers
{
public:
    static QString nomePdf() { return QStringLiteral("PDF file"); }

    virtual ~Printers() = default;
    // Printer names in the system's order; the PDF destination last.
    virtual QStringList nomi() const = 0;
    // The default printer, or empty when the system has none.
    virtual QString predefinita() const = 0;
    virtual Foglio foglio(const QString &stampante, const ImpostazioniPagina &pagina) const = 0;
    // The driver's page settings dialog; false when the user cancelled.
    virtual bool proprieta(QWidget *parent, const QString &stampante,
                           ImpostazioniPagina &pagina) = 0;
    // One job of one page per copy (one file for the PDF destination).
    virtual EsitoStampa stampa(const LavoroStampa &lavoro) = 0;
};

class QtPrinters final : public Printers
{
public:
    QStringList nomi() const override;
    QString predefinita() const override;
    Foglio foglio(const QString &stampante, const ImpostazioniPagina &pagina) const override;
    bool proprieta(QWidget *parent, const QString &stampante, ImpostazioniPagina &pagina) override;
    EsitoStampa stampa(const LavoroStampa &lavoro) override;
};

// A rectangle in millimetres of the printable area to device pixels, by the device's pixels per
// millimetre in each direction.
QRect RettangoloPixel(const QRect &mm, const Foglio &foglio, const QSize &pixel);
