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

    enum class Esito { Nessuno, Sbagliata, Giusta, Finita };
    // A cup chosen by the pupil. Find the odd ones out: a cup other than the model is right and
    // taken away, and the exercise ends when only the model is left; the model is wrong. Find
    // the cup: the model is right and ends the exercise; another cup is wrong, and taken away
    // when togliSbagliata. A cup already taken away, or a place outside the grid, means nothing.
    Esito scegli(int posto, bool togliSbagliata);
    // Every cup but the model goes (the switches end "Find the cup" on the model alone).
    void togliAltre();
    bool tolta(int posto) const { return posto < 0 || posto >= tolte.size() || tolte[posto]; }
    int Eliminate = 0; // odd ones taken away

    int Livello = 1;
    int NumeroPosti = 2;
    int TazzaGiusta = 0;
    Attributi Modello{};
    QList<Attributi> tazze;
    QList<bool> tolte;
    QList<Frase> righe;   // the lines as built, in list order
    QString Testo;        // the text box: lines each ending with "." and CR LF

private:
    RandomSource &m_random;
    Variante m_variante;
};
