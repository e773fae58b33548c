#pragma once

// A plain main window of a given shape, painted in one blue, so a print of it can be found on
// the page; and the print window opened on an object as the print menus open it.

#include "core/FormBase.h"
#include "print/frmStampa.h"

#include <QPalette>

class Finestrella : public FormBase
{
public:
    static QColor blu() { return QColor(0, 0, 200); }
    Finestrella(AppState &s, QSize size) : FormBase(s, QStringLiteral("Finestrella"), size)
    {
        resize(size);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, blu());
        setPalette(p);
    }
};

// Prepares, opens and shows the print window at margins 10 / 10; false when it refused.
inline bool apriStampa(frmStampa &w, QWidget *oggetto, std::optional<int> orientamento = 1,
                       int W = 100, int H = 100, std::optional<QString> titolo = QString())
{
    if (!w.Prepara(oggetto, 10, 10, W, H, orientamento, titolo, std::nullopt))
        return false;
    w.Apri();
    w.show();
    return true;
}
