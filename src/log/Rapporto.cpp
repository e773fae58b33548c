#include "log/Rapporto.h"

#include "platform/CodePage.h"
#include "platform/RecordFile.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QSizeF>

#include <algorithm>

namespace {
// The log holds rows 1..500: no report of ours can list more.
constexpr qint64 RigheMassime = 501;
}

QByteArray ScriviRapporto(const Rapporto &r)
{
    QStringList lines;
    lines << RecordFormat::text(r.utente) << RecordFormat::text(r.data)
          << RecordFormat::number(r.righe.size() + 1);
    for (const QStringList &riga : r.righe)
        for (int c = 0; c < 4; ++c)
            lines << RecordFormat::line(riga.value(c));
    lines << RecordFormat::line(r.piede);
    QByteArray out;
    for (const QString &l : std::as_const(lines)) {
        out += CodePage::encode(l);
        out += "\r\n";
    }
    return out;
}

bool LeggiRapporto(const QByteArray &bytes, Rapporto *out)
{
    *out = Rapporto();
    // A report saved again by a text editor may carry a UTF-8 mark. Only that one: a pupil
    // whose name starts with "ÿþ" would otherwise read as UTF-16.
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    RecordReader reader(utf8 ? CodePage::encode(CodePage::decodeText(bytes)) : bytes);
    qint64 n = 0;
    if (!reader.readText(&out->utente) || !reader.readText(&out->data) || !reader.readInteger(&n))
        return false;
    if (n < 1 || n > RigheMassime)
        return false;
    for (qint64 r = 1; r < n; ++r) {
        QStringList riga;
        for (int c = 0; c < 4; ++c) {
            QString cell;
            if (!reader.readLine(&cell))
                return false;
            riga << cell;
        }
        out->righe.append(riga);
    }
    return reader.readLine(&out->piede);
}

QString TestoLimitato(const QPainter &p, const QString &testo, qreal larghezza)
{
    const QFontMetricsF fm(p.font(), p.device());
    QString t = testo;
    while (!t.isEmpty() && fm.horizontalAdvance(t) > larghezza)
        t.chop(1);
    return t;
}

int StampaGriglia(QPainter &p, const QString &nomeUtente, const Rapporto &r,
                  const QStringList &intestazione, QList<qreal> larghezze, const QFont &font,
                  const QSizeF &foglio, const std::function<bool()> &nuovaPagina)
{
    const qreal dpi = p.device()->logicalDpiY();
    const qreal gap = 60.0 * dpi / 1440.0; // 60 twips
    const qreal xmin = gap;
    const qreal altezzaPagina = foglio.height();
    // Column widths come from the window, which may be far wider than the paper: the counts in
    // the last columns are what the log is printed for.
    if (foglio.width() > 0) {
        qreal totale = 0;
        for (qreal w : larghezze)
            totale += w;
        const qreal spazio = foglio.width() - 2 * xmin - gap - 2 * gap * larghezze.size();
        if (totale > spazio && totale > 0) {
            const qreal fattore = std::max<qreal>(0, spazio) / totale;
            for (qreal &w : larghezze)
                w *= fattore;
        }
    }
    qreal y = gap;
    int pagine = 1;
    auto riga = [&](const QFont &f, const QString &testo) {
        p.setFont(f);
        const QFontMetricsF fm(f, p.device());
        p.drawText(QPointF(xmin, y + fm.ascent()), testo);
        y += fm.lineSpacing();
    };
    auto arial = [&](int size) {
        QFont f(QStringLiteral("arial"));
        f.setPointSize(size);
        return f;
    };
    const bool pagina = altezzaPagina > 0 && nuovaPagina;
    auto voltaPagina = [&]() {
        if (!nuovaPagina())
            return false;
        ++pagine;
        y = gap;
        return true;
    };
    riga(p.font(), nomeUtente);
    riga(arial(16), QStringLiteral("    ") + r.utente);
    riga(arial(16), QString());
    riga(arial(14), QStringLiteral("    ") + r.data);
    riga(arial(14), QString());
    riga(arial(14), QString());

    // The table starts below the lines above rather than over them.
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    qreal xmax = xmin + gap;
    for (qreal w : larghezze)
        xmax += w + 2 * gap;
    const int colonne = int(larghezze.size());
    const qreal altezzaRiga = fm.lineSpacing() + 2 * gap;
    qreal ymin = y;
    auto chiudiTabella = [&]() {
        p.drawRect(QRectF(QPointF(xmin, ymin), QPointF(xmax, y)));
        qreal x = xmin;
        for (int c = 0; c < colonne - 1; ++c) {
            x += larghezze[c] + 2 * gap;
            p.drawLine(QPointF(x, ymin), QPointF(x, y));
        }
    };
    auto scriviRiga = [&](int row) {
        if (y > ymin)
            p.drawLine(QPointF(xmin, y), QPointF(xmax, y));
        y += gap;
        qreal x = xmin + gap;
        for (int c = 0; c < colonne; ++c) {
            QString testo;
            if (row == 0)
                testo = intestazione.value(c);
            else
                testo = c == 0 ? QString::number(row) : r.righe[row - 1].value(c - 1);
            p.drawText(QPointF(x, y + fm.ascent()), TestoLimitato(p, testo, larghezze[c]));
            x += larghezze[c] + 2 * gap;
        }
        y += fm.lineSpacing() + gap;
    };
    for (int row = 0; row <= r.righe.size(); ++row) {
        // A row that would pass the bottom starts a new page, headed again by the column names.
        if (pagina && row > 0 && y + altezzaRiga > altezzaPagina - gap && y > ymin + altezzaRiga) {
            chiudiTabella();
            if (!voltaPagina())
                return pagine;
            p.setFont(font);
            ymin = y;
            scriviRiga(0);
        }
        scriviRiga(row);
    }
    chiudiTabella();
    const QFontMetricsF piede(arial(12), p.device());
    if (pagina && y + piede.lineSpacing() > altezzaPagina && !voltaPagina())
        return pagine;
    riga(arial(12), QStringLiteral("    ") + r.piede);
    return pagine;
}
