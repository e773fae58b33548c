#include "profile/CommDlgs.h"

#include "core/AppState.h"
#include "platform/Dialogs.h"

QString ScegliFile(AppState &state, QWidget *owner, int mode, const QString &titolo, const QString &nome,
                   const QString &filtro, const QString &cartella, const QString &estensione)
{
    if (!state.dialogs)
        return QString();
    Dialogs::RichiestaFile r;
    r.apri = mode == 1;
    r.titolo = titolo;
    r.nome = nome;
    r.filtro = filtro;
    r.cartella = state.paths.toHost(cartella);
    r.estensione = estensione;
    return state.dialogs->file(owner, r);
}
