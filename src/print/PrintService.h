#pragma once

#include "platform/Printers.h"

#include <QString>
#include <optional>

class AppState;
class QWidget;

// Printing as the windows ask for it, apart from the print window: where a print goes, sending
// it, the PDF a machine without printers gets instead, and how a failure is worded.

// Opens the print window over `parent` for a window or cup drawing (or, with no object, for
// printer set-up) and returns once it is closed. True when something was printed.
bool StampaFPB(AppState &state, QWidget *parent, QWidget *oggetto, int X, int Y, int W,
               std::optional<int> H = std::nullopt, std::optional<int> orientamento = std::nullopt,
               std::optional<QString> titolo = std::nullopt,
               std::optional<double> fattoreLarghezza = std::nullopt,
               const QString &nomeLavoro = QString());

// Prints a window as it looks, on the default printer (else the first destination there is),
// at once and without asking.
EsitoStampa StampaVeloce(AppState &state, QWidget *finestra, const QString &nomeLavoro = QString());

// The name a print job shows in the printer's queue, where a teacher looks for it among others:
// the program's name and what is printed ("Vorbello – Vero o falso").
QString NomeLavoroStampa(const QString &cosa);

// The default printer, else the first destination there is; empty when there is none.
QString StampantePredefinita(const AppState &state);

// A new PDF file in the pupil's folder (host path), named after `prefisso` and the time; the
// folder is made when missing.
QString NuovoFilePdf(const AppState &state, const QString &prefisso);

// Sends a print. The PDF destination gets a new file in the pupil's folder, named after
// `prefissoPdf`; once made, the user is told where it is (over `parent`) and it is shown.
EsitoStampa InviaStampa(AppState &state, QWidget *parent, LavoroStampa &lavoro,
                        const QString &prefissoPdf = QStringLiteral("stampa"));

// The message for a print that failed; `oggetto` says what was not printed.
QString TestoErroreStampa(const EsitoStampa &esito,
                          const QString &oggetto = QStringLiteral("Il Form non viene stampato."));
