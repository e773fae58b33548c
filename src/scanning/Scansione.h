#pragma once

#include <QObject>
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
    // False once selecting has closed the window (the timer must then stay stopped).
    virtual bool aperta() const { return true; }
};

// Switch scanning: one target highlighted at a time, moved by a timer (mode 2), by a move switch
// (mode 1: space; mode 3: arrows both ways), and chosen by a select switch; mode 0 is the mouse.
class Scansione : public QObject
{
    Q_OBJECT
public:
    explicit Scansione(FrontendScansione &frontend, QObject *parent = nullptr);

    // Prepares for an input mode and speed (quarter seconds per step in mode 2).
    void prepara(int modoInput, int velocita);

    void avanza();
    void indietro();
    void seleziona();

    // The switches, with the key codes above; autorepeat must already be filtered out.
    void rilascioManuale(int tasto);
    void pressioneAutomatica(int tasto);
    void rilascioAutomatica(int tasto);
    void tick();
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
    int modo() const { return m_modo; }
    QTimer &timer() { return m_timer; }

private:
    int primoUtilizzabile(int from, int step) const;

    FrontendScansione &m_fe;
    QTimer m_timer;
    int m_modo = 0;
    int m_velocita = 4;
    int m_cursore = 0;
    bool m_parcheggiata = false;
};
