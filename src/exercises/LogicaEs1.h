#pragma once

#include "exercises/Frase.h"
#include "exercises/Tazza.h"

#include <functional>

class RandomSource;
class TestiFrase;

// "True or false": one cup, and a sentence about it that is true or false. Six levels: one
// statement in three sets of wordings, two statements joined, two decorations, colour and a
// decoration.
class LogicaEs1
{
public:
    static constexpr int Livelli = 6;

    explicit LogicaEs1(RandomSource &random) : m_random(random) {}

    // Draws a new cup, feature by feature. After each draw `invia(k)` shows feature k (k = 0
    // first, for the background); when it returns false the drawing stops there and the
    // features not yet drawn keep the values of the previous cup.
    void ImpostaColori(const std::function<bool(int)> &invia = {});

    // Builds the sentence for `Livello` into FraseCorrente and sets Soluzione: 0 when the
    // sentence is true ("Vero" is right), 1 when it is false.
    void ScriviFrase(const TestiFrase &testi);

    Attributi attributi{};
    int Livello = 1;
    int Soluzione = 0;
    int Elemento = 1;
    Frase FraseCorrente;

private:
    // `nega`, when given, tells whether the clause says the cup lacks something.
    Frase ComponiFrase1(const TestiFrase &t, bool *nega = nullptr);
    Frase ComponiFrase2(const TestiFrase &t);
    Frase ComponiFrase3(const TestiFrase &t);
    void ScriviFrase4(const TestiFrase &t);
    void ScriviFrase5(const TestiFrase &t);
    void ColoreOggetti(const TestiFrase &t);
    // The clause is the positive text when the feature's state agrees with the wanted truth.
    bool positiva(int caratteristica, int verita) const;
    int coloreDetto(bool suo); // the cup's colour row, or another one

    RandomSource &m_random;
};
