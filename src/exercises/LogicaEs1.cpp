#include "exercises/LogicaEs1.h"

#include "core/RandomSource.h"
#include "exercises/TestiFrase.h"

namespace {

Frase di(std::initializer_list<Pezzo> pezzi)
{
    Frase f;
    for (const Pezzo &p : pezzi)
        f += p;
    return f;
}

} // namespace

void LogicaEs1::ImpostaColori(const std::function<bool(int)> &invia)
{
    auto mostra = [&](int k) { return !invia || invia(k); };
    if (!mostra(0))
        return;
    attributi[1] = m_random.below(2);
    if (!mostra(1))
        return;
    attributi[2] = m_random.below(4) + 1;
    if (!mostra(2))
        return;
    for (int k = 3; k <= 6; ++k) {
        attributi[k] = m_random.below(2);
        if (!mostra(k))
            return;
    }
    attributi[7] = m_random.below(3);
    mostra(7);
}

bool LogicaEs1::positiva(int caratteristica, int verita) const
{
    return (attributi[caratteristica] == 1) == (verita == 0);
}

int LogicaEs1::coloreDetto(bool suo)
{
    return suo ? attributi[Tazza::Colore] : Tazza::altroColore(m_random, attributi[Tazza::Colore]);
}

void LogicaEs1::ScriviFrase(const TestiFrase &t)
{
    switch (Livello) {
    case 1:
    case 2:
    case 3:
        Soluzione = m_random.below(2);
        Elemento = m_random.below(7) + 1;
        FraseCorrente = Livello == 1 ? ComponiFrase1(t) : Livello == 2 ? ComponiFrase2(t) : ComponiFrase3(t);
        break;
    case 4:
        ScriviFrase4(t);
        break;
    case 5:
        ScriviFrase5(t);
        break;
    default:
        ColoreOggetti(t);
        break;
    }
}

Frase LogicaEs1::ComponiFrase1(const TestiFrase &t, bool *nega)
{
    const int v = Soluzione;
    const bool pos = positiva(Elemento, v);
    if (nega)
        *nega = !pos && Elemento != Tazza::Colore && Elemento != Tazza::Piattino;
    switch (Elemento) {
    case 1:
        return di({t.frase(pos ? 15 : 16)});
    case 2:
        return di({t.chiave(92, " "), t.aggettivo(coloreDetto(v == 0))});
    case 3:
        return di({t.frase(pos ? 9 : 10)});
    case 4:
        return di({t.chiave(pos ? (v == 0 ? 96 : 94) : (v == 0 ? 93 : 95))});
    case 5:
        return di({t.frase(pos ? 11 : 12)});
    case 6:
        return di({t.frase(pos ? 13 : 14)});
    }
    // The saucer: statement i is true when it holds i (0 empty, 1 teaspoon, 2 biscuit).
    static const int enunciati[3] = {53, 17, 18};
    static const int falsi[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    const int a7 = attributi[Tazza::Piattino];
    const int scelto = v == 0 ? a7 : falsi[a7][m_random.below(2)];
    if (nega)
        *nega = scelto == 0;
    return di({t.frase(enunciati[scelto])});
}

Frase LogicaEs1::ComponiFrase2(const TestiFrase &t)
{
    const int v = Soluzione;
    const bool pos = positiva(Elemento, v);
    switch (Elemento) {
    case 1:
        return di({t.frase(pos ? 52 : 51)});
    case 2:
        return di({t.frase(42), t.aggettivo(coloreDetto(v == 0))});
    case 3:
        return di({t.frase(pos ? 55 : 54)});
    case 4:
        return di({t.frase(pos ? 27 : 57)});
    case 5:
        return di({t.frase(pos ? 56 : 29)});
    case 6:
        return di({t.frase(pos ? 58 : 31)});
    }
    static const int falsi[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    const int a7 = attributi[Tazza::Piattino];
    const int scelto = v == 0 ? a7 : falsi[a7][m_random.below(2)];
    if (scelto == 0)
        return di({t.chiave(200)});
    return di({t.frase(scelto == 1 ? 6 : 7)});
}

Frase LogicaEs1::ComponiFrase3(const TestiFrase &t)
{
    // Level 3 names what it speaks of ("la tazza", "sul piattino"), so that it reads apart from
    // level 2.
    const int v = Soluzione;
    const bool pos = positiva(Elemento, v);
    switch (Elemento) {
    case 1:
        return di({t.chiave(pos ? 201 : 202)});
    case 2:
        // Said the other way round: "the cup is not" + a colour.
        return di({t.chiave(208, " "), t.aggettivo(coloreDetto(v == 1))});
    case 3:
        return di({t.chiave(pos ? (v == 0 ? 98 : 97) : 203)});
    case 4:
        return di({t.chiave(pos ? 204 : 205)});
    case 5:
        return di({t.chiave(pos ? 206 : (v == 0 ? 99 : 100))});
    case 6:
        return di({t.chiave(pos ? 207 : (v == 0 ? 101 : 102))});
    }
    const int a7 = attributi[Tazza::Piattino];
    const int x = m_random.below(3);
    // Something, a biscuit, a teaspoon: said absent, then present.
    static const int detti[3][2] = {{214, 213}, {212, 211}, {210, 209}};
    const bool presente = (x == 0 && a7 != 0) || (x == 1 && a7 == 2) || (x == 2 && a7 == 1);
    return di({t.chiave(detti[x][presente == (v == 0) ? 1 : 0])});
}

void LogicaEs1::ScriviFrase4(const TestiFrase &t)
{
    const int falsa = m_random.below(2);
    Soluzione = falsa == 1 ? m_random.below(2) : 0;
    const int primo = m_random.below(7) + 1;
    Elemento = primo;
    bool primaNega = false;
    const Frase prima = ComponiFrase1(t, &primaNega);
    // A false sentence has at least one false clause.
    if (falsa == 0)
        Soluzione = 0;
    else
        Soluzione = Soluzione == 1 ? m_random.below(2) : 1;
    do
        Elemento = m_random.below(7) + 1;
    while (Elemento == primo);
    bool secondaNega = false;
    const Frase seconda = ComponiFrase1(t, &secondaNega);
    // After "No heart and stripes" a child carries the "no" over to the stripes: a clause that
    // says no comes second.
    const bool scambia = primaNega && !secondaNega;
    FraseCorrente = scambia ? seconda : prima;
    FraseCorrente += t.frase(21);
    FraseCorrente.aggiungi(scambia ? prima : seconda, true);
    Soluzione = falsa;
}

void LogicaEs1::ScriviFrase5(const TestiFrase &t)
{
    const int k = m_random.below(4);
    int a;
    do
        a = m_random.below(6) + 1;
    while (a == Tazza::Colore);
    int b;
    do
        b = m_random.below(6) + 1;
    while (b == Tazza::Colore || b == a);

    // Per procedure: the first texts for a = 1, 3, 4, 5, 6 start at this key; the second
    // texts likewise, except where CiSonoEntrambi borrows Frasi(11) and Frasi(13).
    static const int primi[4] = {103, 111, 121, 131};
    static const int secondi[4] = {108, 116, 126, 136};
    static const int posto[7] = {0, 0, 0, 1, 2, 3, 4}; // feature -> place among 1, 3, 4, 5, 6
    FraseCorrente = di({t.chiave(primi[k] + posto[a], " ")});
    if (k == 0 && b == 5)
        FraseCorrente += t.frase(11);
    else if (k == 0 && b == 6)
        FraseCorrente += t.frase(13);
    else
        FraseCorrente += b == 3 ? t.chiave(secondi[k] + posto[b], " ") : t.chiave(secondi[k] + posto[b]);

    const bool sa = attributi[a] == 1;
    const bool sb = attributi[b] == 1;
    const bool vera = k == 0 ? (sa && sb) : k == 1 ? (!sa && !sb) : k == 2 ? (sa && !sb) : (!sa && sb);
    Soluzione = vera ? 0 : 1;
}

void LogicaEs1::ColoreOggetti(const TestiFrase &t)
{
    Soluzione = m_random.below(2);
    int t1 = 0;
    int t2 = 0;
    if (Soluzione == 1) {
        t1 = m_random.below(2);
        t2 = t1 == 1 ? m_random.below(2) : 1;
    }
    const int u = m_random.below(2);
    if (u == 1)
        FraseCorrente = di({t.frase(28), t.aggettivo(coloreDetto(t1 == 1))});
    else
        FraseCorrente = di({t.frase(42), t.aggettivo(coloreDetto(t1 == 0))});

    int k;
    do
        k = m_random.below(6) + 1;
    while (k == Tazza::Colore);
    // Joining text, positive, negative; indexed by feature.
    static const int testi[7][3] = {
        {0, 0, 0}, {21, 33, 34}, {0, 0, 0}, {2, 25, 24}, {21, 27, 26}, {3, 30, 29}, {2, 32, 31},
    };
    FraseCorrente += t.frase(testi[k][0]);
    FraseCorrente += t.frase(positiva(k, t2) ? testi[k][1] : testi[k][2]);
}
