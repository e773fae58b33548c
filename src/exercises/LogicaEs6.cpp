#include "exercises/LogicaEs6.h"

#include "core/RandomSource.h"
#include "exercises/TestiFrase.h"

#include <algorithm>

int LogicaEs6::postiPerLivello(int livello)
{
    static const int posti[5] = {2, 4, 6, 9, 12};
    return posti[std::clamp(livello, 1, 5) - 1];
}

void LogicaEs6::ImpostaColori(const std::function<bool(int, int)> &invia)
{
    NumeroPosti = postiPerLivello(Livello);
    TazzaGiusta = m_random.below(NumeroPosti);
    auto tazzaACaso = [this] {
        Attributi a{};
        for (int k : {1, 3, 4, 5, 6})
            a[k] = m_random.below(2);
        a[Tazza::Colore] = m_random.below(4) + 1;
        a[Tazza::Piattino] = m_random.below(3);
        return a;
    };
    tazze.clear();
    for (int i = 0; i < NumeroPosti; ++i)
        tazze.append(tazzaACaso());
    tolte = QList<bool>(NumeroPosti, false);
    Eliminate = 0;
    Modello = tazze[TazzaGiusta];
    // Another cup with every feature of the list would be right by what the pupil reads and
    // wrong by its place: such a twin is drawn again.
    for (int i = 0; i < NumeroPosti; ++i)
        while (i != TazzaGiusta && tazze[i] == Modello)
            tazze[i] = tazzaACaso();
    if (!invia)
        return;
    for (int i = 0; i < NumeroPosti; ++i)
        for (int k = 0; k <= 7; ++k)
            if (!invia(i, k))
                return;
}

Frase LogicaEs6::ComponiFrasePositiva(const TestiFrase &t, int k) const
{
    // Keys of the lines that differ between the two exercises, from the heart's line on.
    const int base = m_variante == Variante::Intrusi ? 157 : 150;
    const int v = Modello[k];
    Frase f;
    switch (k) {
    case 1:
        f += v ? t.chiave(base) : t.frase(34);
        break;
    case 2:
        f += t.frase(42);
        f += t.aggettivo(v);
        break;
    case 3:
        f += v ? t.chiave(base + 1) : t.frase(54);
        break;
    case 4:
        f += t.frase(v ? 27 : 26);
        break;
    case 5:
        f += v ? t.chiave(base + 2) : t.frase(29);
        break;
    case 6:
        f += t.chiave(v ? base + 4 : base + 3);
        break;
    case 7:
        if (v == 0) {
            f += t.chiave(200);
        } else {
            f += t.chiave(v == 1 ? base + 5 : base + 6);
        }
        break;
    }
    return f;
}

void LogicaEs6::ScriviFrase(const TestiFrase &t, const QString &TipoCarattere)
{
    righe.clear();
    Testo.clear();
    bool usate[8] = {};
    while (righe.size() < 7) {
        int k;
        do
            k = m_random.below(7) + 1;
        while (usate[k]);
        usate[k] = true;
        righe.append(ComponiFrasePositiva(t, k));
        Testo += FraseFinita(righe.last().testo(), TipoCarattere, true) + QStringLiteral("\r\n");
    }
}

LogicaEs6::Esito LogicaEs6::scegli(int posto, bool togliSbagliata)
{
    if (tolta(posto))
        return Esito::Nessuno;
    const bool modello = posto == TazzaGiusta;
    if (m_variante == Variante::Intrusi) {
        if (modello)
            return Esito::Sbagliata;
        tolte[posto] = true;
        ++Eliminate;
        return Eliminate == NumeroPosti - 1 ? Esito::Finita : Esito::Giusta;
    }
    if (modello)
        return Esito::Finita;
    if (togliSbagliata)
        tolte[posto] = true;
    return Esito::Sbagliata;
}

void LogicaEs6::togliAltre()
{
    for (int i = 0; i < tolte.size(); ++i)
        tolte[i] = i != TazzaGiusta;
}
