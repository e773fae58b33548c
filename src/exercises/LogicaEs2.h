#pragma once

#include "exercises/Frase.h"
#include "exercises/Tazza.h"

#include <array>
#include <functional>

class RandomSource;
class TestiFrase;

// "Same or different": two cups that share some features, and an unfinished sentence about
// one feature that the pupil completes with "same" (answer 0) or "different" (answer 1).
// Level 1 says it plainly, level 2 negatively, level 3 mixes the two.
class LogicaEs2
{
public:
    static constexpr int Livelli = 3;

    explicit LogicaEs2(RandomSource &random) : m_random(random) {}

    // Draws a new pair: each feature differs with even chance. `invia(cup, k)` then shows
    // feature k of cup 0, then of cup 1 (k = 0 first, for the background); a refusal ends
    // that cup's showing.
    void ImpostaColori(const std::function<bool(int, int)> &invia = {});
    void ScriviFrase(const TestiFrase &testi);

    std::array<Attributi, 2> attributi{};
    std::array<int, 8> Diversi{};
    int Livello = 1;
    int Elemento = 1;
    int Soluzione = 0;
    Frase FraseCorrente;

private:
    void ComponiFrasePositiva(const TestiFrase &t);
    void ComponiFraseNegativa(const TestiFrase &t);

    RandomSource &m_random;
};
