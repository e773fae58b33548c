#pragma once

#include <QString>
#include <algorithm>
#include <array>

// The log of the exercises done since the pupil was chosen. Each run of an exercise starts with
// a row holding its name; every result (a level left, the run ended) fills the current row and
// moves on, so a run's results follow its name and an empty row separates one run from the next.
// Row 0 is the table's header; only rows 1..UltimaRiga are kept: past them exercises still run,
// unlogged.
class Registro
{
public:
    static constexpr int UltimaRiga = 500;
    // Exercise name, level, right answers, wrong answers, as the table and reports show them.
    using Riga = std::array<QString, 4>;

    // False when the log is full.
    bool iniziaEsercizio(const QString &nome);
    // The exercise did not open after all: the row of its start goes again.
    void annullaEsercizio();
    void scriviRisultato(int livello, int esatte, int errate);
    void svuota();

    // The rows to show, 1..righe().
    int righe() const { return std::min(m_corrente, UltimaRiga); }
    const Riga &riga(int r) const { return m_righe[size_t(std::clamp(r, 0, UltimaRiga))]; }

private:
    std::array<Riga, UltimaRiga + 1> m_righe;
    int m_corrente = 0;       // the row the next result fills
    bool m_inizioAnnullabile = false;
};

// The exercises in the menu's order: the window of each, which the log and the history name
// runs by, and the numbered text naming it (key "0064" for the first).
namespace Esercizi {
inline constexpr const char *Finestre[6] = {"FormEs1", "FormEs2", "FormEs8",
                                            "FormEs5", "FormEs6", "FormEs7"};
inline constexpr int PrimaChiaveNome = 64;
} // namespace Esercizi
