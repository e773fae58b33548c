#include "exercises/Tazza.h"

#include "core/AppState.h"
#include "core/RandomSource.h"
#include "platform/Filmato.h"

#include <algorithm>

namespace Tazza {

bool eFlag(int caratteristica)
{
    return caratteristica >= 1 && caratteristica <= 6 && caratteristica != Colore;
}

int altroColore(RandomSource &random, int colore)
{
    int c;
    do
        c = random.below(4) + 1;
    while (c == colore);
    return c;
}

bool invia(Filmato &film, const AppState &state, const Attributi &a, int k)
{
    const auto &F = state.Frasi;
    const auto &tab = state.profilo.TabellaColori;
    auto flag = [](int v) { return v != 0 ? QStringLiteral("1") : QStringLiteral("0"); };
    switch (k) {
    case 0:
        return film.setBGColor(tab[0][0]);
    case 1:
        return film.TSetProperty(F[15], 7, flag(a[1]));
    case 2: {
        const QString colore = tab[std::clamp(a[2], 1, 4)][0];
        for (const char *parte : {"tazza.interno", "piattino.interno", "manico.interno"}) {
            if (!film.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(parte)) ||
                !film.SetVariable(QStringLiteral("TestoColore.QualeColore"), colore))
                return false;
        }
        return true;
    }
    case 3:
        return film.TSetProperty(F[9], 7, flag(a[3]));
    case 4:
        return film.TSetProperty(QStringLiteral("manico"), 7, flag(a[4]));
    case 5:
        return film.TSetProperty(F[11], 7, flag(a[5]));
    case 6:
        return film.TSetProperty(F[13], 7, flag(a[6]));
    case 7:
        return film.TSetProperty(F[17], 7, flag(a[7] == 1)) &&
               film.TSetProperty(F[18], 7, flag(a[7] == 2));
    }
    return false;
}

bool mostra(Filmato &film, const AppState &state, const Attributi &a)
{
    for (int k = 0; k <= 7; ++k)
        if (!invia(film, state, a, k))
            return false;
    return true;
}

} // namespace Tazza
