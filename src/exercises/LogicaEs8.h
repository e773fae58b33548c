#pragma once

#include "exercises/Tazza.h"

#include <array>

class RandomSource;

// "Find the differences": a model cup and a copy of it that differs in as many features as the
// level; each difference the pupil names is put right on the copy, until the two are equal.
class LogicaEs8
{
public:
    static constexpr int Livelli = 4;
    static constexpr int Modello = 0;
    static constexpr int Copia = 1;

    explicit LogicaEs8(RandomSource &random) : m_random(random) {}

    // Draws a new model, then a copy differing in `Livello` distinct features; Trovate = 0.
    void ImpostaColori();
    // The pupil names feature k (1..7). True when it is a difference still to find: the copy
    // then takes the model's value back.
    bool Scegli(int k);
    // Every difference of the pair has been found.
    bool Finita() const { return Trovate >= Livello; }

    std::array<Attributi, 2> attributi{}; // [Modello], [Copia]
    std::array<int, 8> Cambiato{};        // 1 while feature k of the copy is a difference to find
    int Livello = 1;
    int Trovate = 0;

private:
    int valoreACaso(int k);

    RandomSource &m_random;
};
