#include "exercises/LogicaEs5.h"

#include "core/RandomSource.h"
#include "exercises/TestiFrase.h"

int LogicaEs5::valoreACaso(int caratteristica)
{
    if (caratteristica == Tazza::Colore)
        return m_random.below(4) + 1;
    if (caratteristica == Tazza::Piattino)
        return m_random.below(3);
    return 1;
}

void LogicaEs5::ScriviFrase(const TestiFrase &t)
{
    CaratteristicaA = m_random.below(7) + 1;
    ValoreA = valoreACaso(CaratteristicaA);
    const bool assenza = Livello == 2 || Livello == 4;
    FraseCorrente = pezzo(t, CaratteristicaA, ValoreA, assenza);
    if (Livello < 3)
        return;
    do
        CaratteristicaB = m_random.below(7) + 1;
    while (CaratteristicaB == CaratteristicaA);
    ValoreB = valoreACaso(CaratteristicaB);
    if (CaratteristicaB != Tazza::Colore) {
        FraseCorrente += t.frase(21);
        FraseCorrente.aggiungi(pezzo(t, CaratteristicaB, ValoreB, false), true);
        return;
    }
    // "Fuma e la tazza è blu" would change subject halfway: the colour joins as "ed è blu".
    Pezzo ed = t.chiave(215, " ");
    ed.testo.prepend(QLatin1Char(' '));
    Frase colore;
    colore += ed;
    colore += t.aggettivo(ValoreB);
    FraseCorrente.aggiungi(colore, true);
}

Frase LogicaEs5::pezzo(const TestiFrase &t, int caratteristica, int valore, bool assenza) const
{
    Frase f;
    switch (caratteristica) {
    case 1:
        f += t.frase(assenza ? 35 : 40);
        break;
    case 2:
        f += t.frase(assenza ? 28 : 42);
        f += t.aggettivo(valore);
        break;
    case 3:
        f += t.frase(assenza ? 46 : 43);
        break;
    case 4:
        f += t.frase(assenza ? 36 : 37);
        break;
    case 5:
        f += t.frase(assenza ? 47 : 44);
        break;
    case 6:
        f += assenza ? t.chiave(149, " ") : t.frase(45);
        break;
    case 7:
        if (valore == 0 && assenza) {
            f += t.frase(4);
            f += t.frase(41);
        } else if (valore == 0) {
            f += t.chiave(200);
        } else if (valore == 1) {
            f += t.frase(assenza ? 48 : 38);
        } else {
            f += t.frase(assenza ? 49 : 39);
        }
        break;
    }
    return f;
}

Attributi LogicaEs5::tazzaACaso()
{
    Attributi a{};
    for (int k = 1; k <= 7; ++k)
        a[k] = m_random.below(2);
    a[Tazza::Colore] = m_random.below(4) + 1;
    a[Tazza::Piattino] = m_random.below(3);
    return a;
}

void LogicaEs5::ImpostaColori(const std::function<bool(int)> &invia)
{
    Soluzione = m_random.below(100) % 2;
    const int A = CaratteristicaA;
    const int B = CaratteristicaB;
    Attributi a;
    switch (Livello) {
    case 1:
        a = tazzaACaso();
        if (Soluzione == 1)
            while (a[A] == ValoreA)
                a = tazzaACaso();
        else
            a[A] = ValoreA;
        break;
    case 2:
        a = tazzaACaso();
        if (Soluzione == 0)
            while (a[A] == ValoreA)
                a = tazzaACaso();
        else
            a[A] = ValoreA;
        break;
    case 3: {
        do
            a = tazzaACaso();
        while (a[A] == ValoreA || a[B] == ValoreB);
        const int x = Soluzione == 0 ? -1 : m_random.below(100) % 3;
        if (Soluzione == 0 || x == 0)
            a[A] = ValoreA;
        if (Soluzione == 0 || x == 1)
            a[B] = ValoreB;
        break;
    }
    default: {
        do
            a = tazzaACaso();
        while (a[A] == ValoreA || a[B] == ValoreB);
        const int x = Soluzione == 0 ? -1 : m_random.below(100) % 3;
        if (Soluzione == 0 || x == 1)
            a[B] = ValoreB;
        if (x == 0 || x == 1)
            a[A] = ValoreA;
        break;
    }
    }
    AttributiCorrenti = a;
    if (invia)
        for (int k = 0; k <= 7; ++k)
            if (!invia(k))
                break;
}
