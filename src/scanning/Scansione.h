#pragma once

#include "scanning/SwitchFilter.h"

#include <QObject>
#include <QString>
#include <QTimer>

// Key codes of the switches, as the scanning rules name them.
namespace Tasto {
constexpr int Invio = 13;
constexpr int Spazio = 32;
constexpr int Sinistra = 37;
constexpr int Su = 38;
constexpr int Destra = 39;
constexpr int Giu = 40;
} // namespace Tasto

// What a scanning window offers the scanning model: its targets, how to paint them, what
// selecting one does, and its two focus holders.
class FrontendScansione
{
public:
    enum class Colore { Selezione, Bottoni, Sfondo };
    enum class Box { Manuale, Automatica };
    virtual ~FrontendScansione() = default;
    virtual int numeroBersagli() const = 0;
    virtual void dipingi(int bersaglio, Colore colore) = 0;
    virtual void seleziona(int bersaglio) = 0;
    virtual void mostraBox(Box box, bool visibile) = 0;
    virtual void daiFuoco(Box box) = 0;
    // Exercise windows skip targets that cannot be chosen; the menu has none such.
    virtual bool utilizzabile(int) const { return true; }
    // What a target is called, for reading it aloud as the scan lights it or chooses it.
    virtual QString nomeBersaglio(int) const { return QString(); }
    virtual void annuncia(const QString &, bool /*scelta*/) {}
    // False once selecting has closed the window (the timer must then stay stopped).
    virtual bool aperta() const { return true; }
};

class ScanBox;

// Switch scanning: one target highlighted at a time, moved by a timer (mode 2), by a move switch
// (mode 1: space; mode 3: arrows both ways), and chosen by a select switch; mode 0 is the mouse.
class Scansione : public QObject
{
    Q_OBJECT
public:
    explicit Scansione(FrontendScansione &frontend, QObject *parent = nullptr);

    // Takes its switches from a window's two focus holders: the move/select keys of modes 1
    // and 3, and the select switch of mode 2.
    void collega(ScanBox *manuale, ScanBox *automatica);
    // Prepares for an input mode and speed (quarter seconds per step in mode 2).
    void prepara(int modoInput, int velocita);
    // The pupil's switch timing; takes effect from the next prepara().
    void impostaTempi(const SwitchTiming &tempi) { m_filtro.setTiming(tempi); }
    // What the switch boxes ask before passing a key on.
    SwitchFilter &filtro() { return m_filtro; }

    void avanza();
    void indietro();
    void seleziona();

    // The switches, with the key codes above; autorepeat must already be filtered out.
    void rilascioManuale(int tasto);
    void pressioneAutomatica(int tasto);
    void rilascioAutomatica(int tasto);
    void tick();
    // Makes sure the scanning runs, unless it waits on purpose (for a held switch, or for a
    // press after its loops ran out).
    void continua();
    // A press of the select switch was passed on but turned out too short to be a choice.
    void pressioneAnnullata(int tasto);
    // The select switch's box lost the focus: a release it will never see must not leave the
    // highlight frozen.
    void fuocoPerso();

    // Exercise windows park the highlight on one target (after a right answer): while parked no
    // switch or tick moves it, and selecting acts on that target; riprendi() ends the parking.
    void parcheggia(int bersaglio);
    void riprendi() { m_parcheggiata = false; }
    bool parcheggiata() const { return m_parcheggiata; }

    // Moves the highlight straight to a target (grids step by rows as well as by ones).
    void vaiA(int bersaglio);

    int cursore() const { return m_cursore; }
    // The highlight's moves, and the full loops among them, since the last choice: how hard
    // reaching the current one was.
    int passiDallaScelta() const { return m_passi; }
    int giriDallaScelta() const { return m_giriPassi; }
    int modo() const { return m_modo; }
    QTimer &timer() { return m_timer; }

private:
    int primoUtilizzabile(int from, int step) const;
    // The time the highlight stays on the current target in automatic scanning.
    int intervallo() const;
    void riavvia(int ms);
    void contaPasso(bool giro);

    FrontendScansione &m_fe;
    QTimer m_timer;
    int m_modo = 0;
    int m_velocita = 4;
    int m_cursore = 0;
    bool m_parcheggiata = false;
    SwitchFilter m_filtro;
    int m_giri = 0;          // full loops since the last choice
    bool m_ferma = false;    // stopped after the set number of loops, until a press
    int m_passi = 0;
    int m_giriPassi = 0;
};
