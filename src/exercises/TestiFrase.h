#pragma once

#include "exercises/Frase.h"

#include <QHash>

#include <array>
#include <functional>

class AppState;

// Where the sentence builders take their words: the entries of Frasi, numbered strings of the
// language in use, and the colour words of the profile (feminine singular).
class TestiFrase
{
public:
    // The texts of a running program: its Frasi, its language and its profile's colour words.
    explicit TestiFrase(AppState &state);
    TestiFrase(std::array<QString, 61> frasi, std::function<QString(const QString &)> chiave,
               std::array<QString, 5> aggettivi);

    Pezzo frase(int i) const;                  // Frasi(i)
    Pezzo chiave(int key) const;               // the numbered string, as it stands
    Pezzo chiave(int key, const char *dopo) const; // ... followed by a text of the program
    Pezzo aggettivo(int riga) const;           // TabellaColori(riga, 3)

private:
    std::array<QString, 61> m_frasi;
    std::function<QString(const QString &)> m_chiave;
    // Numbered strings already looked up: a sentence asks for the same few many times.
    mutable QHash<int, QString> m_lette;
    std::array<QString, 5> m_aggettivi;
};
