#pragma once

#include "exercises/Frase.h"
#include "exercises/Tazza.h"

#include <functional>

class RandomSource;
class TestiFrase;

// "Sets": a sentence names a set of cups by one or two features; cups are shown one at a time
// and the pupil says whether each belongs (answer 0) or not (answer 1). Level 1: has A;
// level 2: lacks A; level 3: has A and B; level 4: lacks A and has B.
class LogicaEs5
{
public:
    static constexpr int Livelli = 4;

    explicit LogicaEs5(RandomSource &random) : m_random(random) {}

    // Draws the named features and builds the sentence into FraseCorrente.
    void ScriviFrase(const TestiFrase &testi);
    // Draws the next cup for the sentence, with Soluzione drawn first; `invia(k)` then shows
    // it (k = 0 first, for the background), a refusal ending the showing.
    void ImpostaColori(const std::function<bool(int)> &invia = {});

    Attributi AttributiCorrenti{};
    int Livello = 1;
    int Soluzione = 0;
    int CaratteristicaA = 1;
    int ValoreA = 1;
    int CaratteristicaB = 1;
    int ValoreB = 1;
    Frase FraseCorrente;

private:
    // One piece naming a feature and its value: its presence, or (absence) its absence.
    Frase pezzo(const TestiFrase &t, int caratteristica, int valore, bool assenza) const;
    int valoreACaso(int caratteristica);
    Attributi tazzaACaso();

    RandomSource &m_random;
};
