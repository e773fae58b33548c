#pragma once

#include "scanning/Scansione.h"

#include <QList>

// Records what the model asks of a window with n targets.
class FakeScanFrontend : public FrontendScansione
{
public:
    explicit FakeScanFrontend(int n) : colori(n, Colore::Sfondo) {}
    int numeroBersagli() const override { return int(colori.size()); }
    void dipingi(int b, Colore c) override { colori[b] = c; }
    void seleziona(int b) override
    {
        scelti.append(b);
        if (chiudeAllaScelta)
            chiusa = true;
    }
    void mostraBox(Box, bool) override {}
    void daiFuoco(Box) override {}
    bool utilizzabile(int b) const override { return !disabilitati.contains(b); }
    bool aperta() const override { return !chiusa; }

    // The one highlighted target, or -1 (several highlighted counts as a fault: -2).
    int evidenziato() const
    {
        int found = -1;
        for (int i = 0; i < colori.size(); ++i)
            if (colori[i] == Colore::Selezione)
                found = found == -1 ? i : -2;
        return found;
    }

    QList<Colore> colori;
    QList<int> scelti;
    QList<int> disabilitati;
    bool chiudeAllaScelta = false, chiusa = false;
};
