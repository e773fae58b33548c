#include "exercises/LogicaEs8.h"

#include "core/RandomSource.h"

#include <algorithm>

int LogicaEs8::valoreACaso(int k)
{
    // Like the model's, a new colour or saucer takes a flag draw first and is then drawn again.
    const int flag = m_random.below(2);
    if (k == Tazza::Colore)
        return m_random.below(4) + 1;
    if (k == Tazza::Piattino)
        return m_random.below(3);
    return flag;
}

void LogicaEs8::ImpostaColori()
{
    Attributi &modello = attributi[Modello];
    Attributi &copia = attributi[Copia];
    // The colour takes a flag draw first and is then drawn again: the draws keep this order.
    for (int k = 1; k <= 6; ++k)
        modello[k] = m_random.below(2);
    modello[Tazza::Colore] = m_random.below(4) + 1;
    modello[Tazza::Piattino] = m_random.below(3);

    for (int k = 1; k <= 7; ++k) {
        copia[k] = modello[k];
        Cambiato[k] = 0;
    }
    Trovate = 0;

    // More differences than features could never be placed.
    const int differenze = std::clamp(Livello, 0, 7);
    for (int n = 0; n < differenze; ++n) {
        int k;
        do
            k = m_random.below(7) + 1;
        while (copia[k] != modello[k]);
        do
            copia[k] = valoreACaso(k);
        while (copia[k] == modello[k]);
        Cambiato[k] = 1;
    }
}

bool LogicaEs8::Scegli(int k)
{
    if (k < 1 || k > 7 || Cambiato[k] != 1)
        return false;
    attributi[Copia][k] = attributi[Modello][k];
    Cambiato[k] = 0;
    ++Trovate;
    return true;
}
