#include "scanning/Scansione.h"

#include <algorithm>

Scansione::Scansione(FrontendScansione &frontend, QObject *parent)
    : QObject(parent), m_fe(frontend)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &Scansione::tick);
}

void Scansione::prepara(int modoInput, int velocita)
{
    m_modo = (modoInput >= 0 && modoInput <= 3) ? modoInput : 0;
    m_parcheggiata = false;
    // A damaged profile could ask for no delay at all, which would spin the highlight.
    m_velocita = std::clamp(velocita, 1, 240);
    const int n = m_fe.numeroBersagli();
    using Box = FrontendScansione::Box;
    switch (m_modo) {
    case 0:
        m_timer.stop();
        m_fe.mostraBox(Box::Manuale, false);
        m_fe.mostraBox(Box::Automatica, false);
        break;
    case 1:
    case 3:
        m_cursore = n - 1;
        m_fe.mostraBox(Box::Manuale, true);
        m_fe.mostraBox(Box::Automatica, false);
        m_timer.start(100);
        m_fe.daiFuoco(Box::Manuale);
        rilascioManuale(m_modo == 1 ? Tasto::Spazio : Tasto::Destra);
        break;
    case 2:
        m_cursore = 0;
        m_fe.mostraBox(Box::Automatica, true);
        m_fe.mostraBox(Box::Manuale, false);
        m_timer.start(m_velocita * 250);
        m_fe.daiFuoco(Box::Automatica);
        break;
    }
}

int Scansione::primoUtilizzabile(int from, int step) const
{
    const int n = m_fe.numeroBersagli();
    int c = from;
    for (int i = 0; i < n; ++i) {
        c = (c + step + n) % n;
        if (m_fe.utilizzabile(c))
            return c;
    }
    return from;
}

void Scansione::parcheggia(int bersaglio)
{
    const int n = m_fe.numeroBersagli();
    if (bersaglio < 0 || bersaglio >= n)
        return;
    for (int i = 0; i < n; ++i)
        m_fe.dipingi(i, i == bersaglio ? FrontendScansione::Colore::Selezione
                                       : FrontendScansione::Colore::Bottoni);
    m_cursore = bersaglio;
    m_parcheggiata = true;
}

void Scansione::vaiA(int bersaglio)
{
    const int n = m_fe.numeroBersagli();
    if (bersaglio < 0 || bersaglio >= n || m_parcheggiata)
        return;
    if (m_cursore >= 0 && m_cursore < n)
        m_fe.dipingi(m_cursore, FrontendScansione::Colore::Bottoni);
    m_cursore = bersaglio;
    m_fe.dipingi(m_cursore, FrontendScansione::Colore::Selezione);
}

void Scansione::avanza()
{
    const int n = m_fe.numeroBersagli();
    if (n <= 0 || m_parcheggiata)
        return;
    if (m_cursore >= 0 && m_cursore < n)
        m_fe.dipingi(m_cursore, FrontendScansione::Colore::Bottoni);
    m_cursore = primoUtilizzabile(std::clamp(m_cursore, -1, n - 1), +1);
    m_fe.dipingi(m_cursore, FrontendScansione::Colore::Selezione);
}

void Scansione::indietro()
{
    const int n = m_fe.numeroBersagli();
    if (n <= 0 || m_parcheggiata)
        return;
    if (m_cursore >= 0 && m_cursore < n)
        m_fe.dipingi(m_cursore, FrontendScansione::Colore::Bottoni);
    m_cursore = primoUtilizzabile(std::clamp(m_cursore, 0, n), -1);
    m_fe.dipingi(m_cursore, FrontendScansione::Colore::Selezione);
}

void Scansione::seleziona()
{
    if (m_cursore >= 0 && m_cursore < m_fe.numeroBersagli())
        m_fe.seleziona(m_cursore);
}

void Scansione::rilascioManuale(int tasto)
{
    if (m_modo == 1) {
        if (tasto == Tasto::Spazio)
            avanza();
        else if (tasto == Tasto::Invio)
            seleziona();
    } else if (m_modo == 3) {
        if (tasto == Tasto::Destra || tasto == Tasto::Giu)
            avanza();
        else if (tasto == Tasto::Sinistra || tasto == Tasto::Su)
            indietro();
        else if (tasto == Tasto::Invio)
            seleziona();
    }
}

void Scansione::pressioneAutomatica(int tasto)
{
    // Holding the select switch must keep the highlight where it is.
    if (m_modo == 2 && tasto == Tasto::Spazio)
        m_timer.stop();
}

void Scansione::rilascioAutomatica(int tasto)
{
    if (m_modo != 2 || tasto != Tasto::Spazio)
        return;
    seleziona();
    if (m_fe.aperta() && m_modo == 2)
        m_timer.start(m_velocita * 250);
}

void Scansione::tick()
{
    switch (m_modo) {
    case 1:
    case 3:
        m_fe.daiFuoco(FrontendScansione::Box::Manuale);
        break;
    case 2:
        m_fe.daiFuoco(FrontendScansione::Box::Automatica);
        avanza();
        break;
    default:
        break;
    }
}

void Scansione::fuocoPerso()
{
    if (m_modo == 2 && !m_timer.isActive() && m_fe.aperta())
        m_timer.start(m_velocita * 250);
}
