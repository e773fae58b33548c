#include "exercises/LogicaEs2.h"

#include "core/RandomSource.h"
#include "exercises/TestiFrase.h"

void LogicaEs2::ImpostaColori(const std::function<bool(int, int)> &invia)
{
    auto &a0 = attributi[0];
    auto &a1 = attributi[1];
    for (int k = 1; k <= 7; ++k) {
        Diversi[k] = m_random.below(2);
        a0[k] = m_random.below(2);
        a1[k] = m_random.below(2);
    }
    a0[2] = m_random.below(4) + 1;
    a0[7] = m_random.below(3);
    a1[2] = m_random.below(4) + 1;
    a1[7] = m_random.below(3);
    auto gamma = [](int k) { return k == Tazza::Colore ? 4 : k == Tazza::Piattino ? 3 : 2; };
    for (int k : {1, 3, 4, 5, 6, 2, 7}) {
        if (Diversi[k] == 0) {
            a1[k] = a0[k];
            continue;
        }
        const int base = k == Tazza::Colore ? 1 : 0;
        do
            a1[k] = m_random.below(gamma(k)) + base;
        while (a1[k] == a0[k]);
    }
    if (!invia)
        return;
    for (int cup = 0; cup < 2; ++cup)
        for (int k = 0; k <= 7; ++k)
            if (!invia(cup, k))
                break;
}

void LogicaEs2::ScriviFrase(const TestiFrase &t)
{
    bool negativa = Livello == 2;
    if (Livello >= 3)
        negativa = m_random.below(10) % 2 == 1;
    Elemento = m_random.below(7) + 1;
    if (negativa)
        ComponiFraseNegativa(t);
    else
        ComponiFrasePositiva(t);
}

void LogicaEs2::ComponiFrasePositiva(const TestiFrase &t)
{
    FraseCorrente.clear();
    // The blank leaves room for the answer word the pupil adds.
    FraseCorrente += Elemento == 7 ? t.chiave(84) : t.chiave(77 + Elemento, " ");
    Soluzione = Diversi[Elemento];
}

void LogicaEs2::ComponiFraseNegativa(const TestiFrase &t)
{
    FraseCorrente.clear();
    if (Elemento == 7) {
        FraseCorrente += t.chiave(91);
    } else {
        FraseCorrente += t.chiave(84 + Elemento);
        FraseCorrente += t.frase(50);
    }
    Soluzione = Diversi[Elemento] == 1 ? 0 : 1;
}
