#include "profile/CommDlgs.h"

#include "core/AppState.h"
#include "core/Colori.h"
#include "platform/Dialogs.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

bool ScegliColore(AppState &state, QWidget *owner, QWidget *target)
{
    if (!state.dialogs || !target)
        return false;
    const auto chosen = state.dialogs->colour(owner);
    if (!chosen)
        return false;
    const QColor solid(chosen->red(), chosen->green(), chosen->blue());
    QPalette pal = target->palette();
    pal.setColor(QPalette::WindowText, solid);
    pal.setColor(QPalette::Text, solid);
    pal.setColor(QPalette::ButtonText, solid);
    target->setPalette(pal);
    return true;
}

double ForeColor(const QWidget *control)
{
    return CodiceDaColore(control->palette().color(QPalette::WindowText));
}

int PuntiInteri(double pointSize)
{
    // The dialog speaks in tenths of a point.
    const double decimi = std::round(std::clamp(pointSize, 0.0, 32767.0) * 10.0);
    return int(std::nearbyint(decimi / 10.0)); // the default rounding mode sends halves to even
}

bool ScegliFont(AppState &state, QWidget *owner, QWidget *target)
{
    if (!state.dialogs || !target)
        return false;
    const auto chosen = state.dialogs->font(owner, target->font());
    if (!chosen)
        return false;
    QFont f = target->font();
    f.setFamily(chosen->family());
    // A font given in pixels has no point size; it keeps the size it had.
    if (chosen->pointSizeF() > 0)
        f.setPointSize(std::max(1, PuntiInteri(chosen->pointSizeF())));
    f.setBold(chosen->weight() >= QFont::Bold);
    f.setItalic(chosen->italic());
    f.setUnderline(chosen->underline());
    target->setFont(f);
    return true;
}

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
