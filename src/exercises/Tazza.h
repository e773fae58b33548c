#pragma once

#include <array>
#include <functional>

class AppState;
class Filmato;
class RandomSource;

// The seven features of a cup, in entries 1..7 (entry 0 unused): 1 heart, 2 colour row 1..4,
// 3 flower, 4 handle, 5 stripes, 6 steam (flags 0/1), 7 saucer: 0 empty, 1 teaspoon, 2 biscuit.
using Attributi = std::array<int, 8>;

namespace Tazza {
constexpr int Colore = 2;
constexpr int Piattino = 7;

bool eFlag(int caratteristica); // 1, 3, 4, 5, 6
// A colour row 1..4 drawn until it differs from `colore`.
int altroColore(RandomSource &random, int colore);

// Sends feature k of a cup to a cup movie (k = 0: the background), the calls the exercises
// make: clips named by Frasi, the fixed clip "manico", three colour pairs. False at the first
// call the movie refuses.
bool invia(Filmato &film, const AppState &state, const Attributi &a, int k);
// The whole cup, background first, stopping at the first refusal.
bool mostra(Filmato &film, const AppState &state, const Attributi &a);
} // namespace Tazza
