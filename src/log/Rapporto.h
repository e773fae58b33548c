#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QFont;
class QPainter;


// A saved exercise log: the user and date captions, the rows of the table (four cells each:
// exercise, level, right answers, wrong answers) and a footer line.
struct Rapporto
{
    QString utente;
    QString data;
    QList<QStringList> righe;
    QString piede;
    bool operator==(const Rapporto &) const = default;
};

// The report file: the two captions, the row count with the header row, four lines per row, the
// footer; Windows-1252 with CR LF.
QByteArray ScriviRapporto(const Rapporto &r);

// Reads a report. False when the file is damaged or ends early (the rows read until then stay
// in *out); a row count that could not belong to a log is refused.
bool LeggiRapporto(const QByteArray &bytes, Rapporto *out);

// Cuts a text at the right until it fits the width on the painter's current font.
QString TestoLimitato(const QPainter &p, const QString &testo, qreal larghezza);

// Prints the log table: the user's name, the captions, then a ruled table whose columns have
// the given widths (device units), each cell cut to its column, then the footer. A table wider
// than the page's width is narrowed to it, keeping the columns' proportions. With a page height,
// rows that would pass the bottom go on to new pages (nuovaPagina), each starting with the
// column headings. Returns the number of pages used.
int StampaGriglia(QPainter &p, const QString &nomeUtente, const Rapporto &r,
                  const QStringList &intestazione, QList<qreal> larghezze, const QFont &font,
                  const QSizeF &pagina = {}, const std::function<bool()> &nuovaPagina = {});
