#pragma once

#include "exercises/Frase.h"
#include "exercises/Tazza.h"

#include <QList>
#include <QString>
#include <functional>

class RandomSource;
class TestiFrase;

// "Find the odd ones out" and "Find the cup": a grid of random cups, one of them the model,
// and a list of the model's seven features in random order. The two exercises word the list
// with their own keys.
class LogicaEs6
{
public:
    enum class Variante { Intrusi, TrovaLaTazza };
    static constexpr int Livelli = 5;
    static int postiPerLivello(int livello); // 2, 4, 6, 9, 12

    LogicaEs6(RandomSource &random, Variante variante) : m_random(random), m_variante(variante) {}

    // Draws the model's place and every cup; `invia(i, k)` shows feature k of cup i (k = 0
    // first, for the background), and a refusal ends the drawing there.
    void ImpostaColori(const std::function<bool(int, int)> &invia = {});
    // The list of the model's features: seven lines in random order, each in the letter case
    // of the profile and ending with ".".
    void ScriviFrase(const TestiFrase &testi, const QString &TipoCarattere);
    // The line for one feature of the model.
    Frase ComponiFrasePositiva(const TestiFrase &testi, int caratteristica) const;

    int Livello = 1;
    int NumeroPosti = 2;
    int TazzaGiusta = 0;
    Attributi Modello{};
    QList<Attributi> tazze;
    QList<Frase> righe;   // the lines as built, in list order
    QString Testo;        // the text box: lines each ending with "." and CR LF

private:
    RandomSource &m_random;
    Variante m_variante;
};
