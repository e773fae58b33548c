#include "print/PrintService.h"

#include "core/AppState.h"
#include "core/Modulo1.h"
#include "lang/modLanguageSupport.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

QString NuovoFilePdf(const AppState &state, const QString &prefisso)
{
    const QString cartella = state.paths.toHost(
        SettingsRoot::Programma + QStringLiteral("Dati\\") +
        (state.NomeUtente.isEmpty() ? QString() : state.NomeUtente + QLatin1Char('\\')));
    QDir().mkpath(cartella);
    // Never one already there: it may be open in a viewer.
    const QString base = prefisso + QLatin1Char('-') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString path = QDir(cartella).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(cartella).filePath(base + QStringLiteral("-%1.pdf").arg(n));
    return path;
}

EsitoStampa InviaStampa(AppState &state, QWidget *parent, LavoroStampa &lavoro,
                        const QString &prefissoPdf)
{
    if (lavoro.stampante == Printers::nomePdf() && lavoro.filePdf.isEmpty())
        lavoro.filePdf = NuovoFilePdf(state, prefissoPdf);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const EsitoStampa esito = state.printers->stampa(lavoro);
    QApplication::restoreOverrideCursor();
    if (esito.riuscito && !lavoro.filePdf.isEmpty()) {
        // Nothing comes out of a printer: say where the page went before showing it.
        state.dialogs->message(parent,
                               MLSGetString(state, QStringLiteral("0192")) + QLatin1Char('\n') +
                                   QDir::toNativeSeparators(lavoro.filePdf),
                               QStringLiteral("Vorbello"), Dialogs::Icon::Information);
        MostraFile(state, parent, lavoro.filePdf);
    }
    return esito;
}

QString TestoErroreStampa(const EsitoStampa &esito, const QString &oggetto)
{
    return (esito.nonParte ? QStringLiteral("Errore di StartDoc") : oggetto) + QLatin1Char('\n') +
           esito.errore;
}

QString StampantePredefinita(const AppState &state)
{
    QString nome = state.printers->predefinita();
    const QStringList nomi = state.printers->nomi();
    if ((nome.isEmpty() || !nomi.contains(nome)) && !nomi.isEmpty())
        nome = nomi.first();
    return nome;
}

EsitoStampa StampaVeloce(AppState &state, QWidget *finestra, const QString &nomeLavoro)
{
    EsitoStampa esito;
    if (!state.printers || !finestra)
        return esito;
    const QImage immagine = finestra->grab().toImage();
    const QString nome = StampantePredefinita(state);
    ImpostazioniPagina pagina{immagine.width() > immagine.height() ? 2 : 1, QPageSize()};
    const Foglio f = state.printers->foglio(nome, pagina);
    if (!f.valido() || immagine.isNull()) {
        esito.nonParte = true;
        esito.errore = QStringLiteral("Non posso accedere alla stampante richiesta.");
        return esito;
    }
    // The whole window, as large as the printable area allows, keeping its shape.
    QSizeF size(immagine.size());
    size.scale(QSizeF(f.larghezza, f.altezza), Qt::KeepAspectRatio);
    LavoroStampa lavoro;
    lavoro.stampante = nome;
    lavoro.titolo = nomeLavoro.isEmpty() ? finestra->objectName() : nomeLavoro;
    lavoro.pagina = pagina;
    lavoro.rettangoloMm = QRect(0, 0, std::max(1, int(size.width())), std::max(1, int(size.height())));
    lavoro.disegna = [immagine](QPainter &p, const QRect &r) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(r, immagine);
    };
    return InviaStampa(state, finestra, lavoro);
}

QString NomeLavoroStampa(const QString &cosa)
{
    return cosa.isEmpty() ? QStringLiteral("Vorbello") : QStringLiteral("Vorbello \u2013 ") + cosa;
}
