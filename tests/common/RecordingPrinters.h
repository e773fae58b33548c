#pragma once

// Printers for tests: a fixed list of named sheets; each job is painted onto an image of the
// sheet at 10 pixels per millimetre and kept, so a test can look at what would have come out.

#include "platform/Printers.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>

class RecordingPrinters final : public Printers
{
public:
    struct Stampato
    {
        LavoroStampa lavoro;
        QImage pagina; // the printable area, white where nothing was drawn
        QRect bersaglio; // where the drawing went, in the image's pixels
        QList<QImage> altrePagine; // pages after the first
    };

    QStringList nomi() const override { return elenco; }
    QString predefinita() const override { return preferita; }
    Foglio foglio(const QString &stampante, const ImpostazioniPagina &pagina) const override
    {
        if (!fogli.contains(stampante))
            return {};
        Foglio f = fogli.value(stampante);
        // A chosen paper gives its own sheet, less 5 mm of margin on every side.
        if (pagina.pagina.isValid()) {
            const QSizeF mm = pagina.pagina.size(QPageSize::Millimeter);
            f = {qRound(mm.width()) - 10, qRound(mm.height()) - 10};
        }
        if (pagina.orientamento == 2)
            std::swap(f.larghezza, f.altezza);
        return f;
    }
    // The properties dialog, always cancelled.
    bool proprieta(QWidget *, const QString &, ImpostazioniPagina &) override { return false; }
    EsitoStampa stampa(const LavoroStampa &lavoro) override
    {
        EsitoStampa esito;
        const Foglio f = foglio(lavoro.stampante, lavoro.pagina);
        if (rifiuta) {
            esito.nonParte = true;
            esito.errore = QStringLiteral("rifiuta");
            return esito;
        }
        if (!f.valido()) {
            esito.errore = QStringLiteral("guasta");
            return esito;
        }
        if (!lavoro.filePdf.isEmpty()) {
            QFile pdf(lavoro.filePdf);
            if (pdf.open(QIODevice::WriteOnly))
                pdf.write("%PDF-1.4\n");
        }
        for (int i = 0; i < std::max(1, lavoro.copie); ++i) {
            auto pagina = [&f] {
                QImage img(f.larghezza * 10, f.altezza * 10, QImage::Format_RGB32);
                img.setDotsPerMeterX(10000); // 10 pixels a millimetre
                img.setDotsPerMeterY(10000);
                img.fill(Qt::white);
                return img;
            };
            Stampato s{lavoro, pagina(), {}, {}};
            s.bersaglio = RettangoloPixel(lavoro.rettangoloMm, f, s.pagina.size());
            QPainter p(&s.pagina);
            if (lavoro.disegnaPagine) {
                lavoro.disegnaPagine(p, s.bersaglio, [&] {
                    p.end();
                    s.altrePagine.append(pagina());
                    return p.begin(&s.altrePagine.last());
                });
            } else if (lavoro.disegna) {
                lavoro.disegna(p, s.bersaglio);
            }
            p.end();
            stampati.append(s);
            ++esito.lavori;
        }
        esito.riuscito = true;
        return esito;
    }

    QStringList elenco{QStringLiteral("Aula"), QStringLiteral("Segreteria"), nomePdf()};
    QString preferita = QStringLiteral("Segreteria");
    QHash<QString, Foglio> fogli{{QStringLiteral("Aula"), {200, 287}},
                                {QStringLiteral("Segreteria"), {204, 280}},
                                {nomePdf(), {210, 297}}};
    bool rifiuta = false;
    QList<Stampato> stampati;
};
