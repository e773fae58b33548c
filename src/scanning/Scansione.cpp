#include "scanning/Scansione.h"

#include "scanning/ScanBox.h"

#include <algorithm>

Scansione::Scansione(FrontendScansione &frontend, QObject *parent)
    : QObject(parent), m_fe(frontend)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &Scansione::tick);
}

void Scansione::collega(ScanBox *manuale, ScanBox *automatica)
{
    manuale->setFiltro(&m_filtro);
    automatica->setFiltro(&m_filtro);
    connect(manuale, &ScanBox::rilasciato, this, &Scansione::rilascioManuale);
    connect(automatica, &ScanBox::premuto, this, &Scansione::pressioneAutomatica);
    connect(automatica, &ScanBox::rilasciato, this, &Scansione::rilascioAutomatica);
    connect(automatica, &ScanBox::annullato, this, &Scansione::pressioneAnnullata);
    connect(automatica, &ScanBox::fuocoPerso, this, &Scansione::fuocoPerso);
}

void Scansione::prepara(int modoInput, int velocita)
{
    m_modo = (modoInput >= 0 && modoInput <= 3) ? modoInput : 0;
    m_parcheggiata = false;
    m_giri = 0;
    m_ferma = false;
    m_filtro.reset();
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
        // Held to scan, the highlight waits for the switch.
        if (m_filtro.timing().holdToScan)
            m_timer.stop();
        else
            riavvia(intervallo());
        m_fe.daiFuoco(Box::Automatica);
        break;
    }
    m_passi = 0;
    m_giriPassi = 0;
}

int Scansione::intervallo() const
{
    const int passo = m_velocita * 250;
    if (m_cursore == primoUtilizzabile(-1, +1))
        return passo * m_filtro.timing().firstItemPercent / 100;
    return passo;
}

void Scansione::riavvia(int ms)
{
    m_timer.start(std::max(ms, 1));
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
    m_fe.annuncia(m_fe.nomeBersaglio(bersaglio), false);
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
    const int prima = m_cursore;
    m_cursore = primoUtilizzabile(std::clamp(m_cursore, -1, n - 1), +1);
    contaPasso(m_cursore <= prima);
    m_fe.dipingi(m_cursore, FrontendScansione::Colore::Selezione);
    m_fe.annuncia(m_fe.nomeBersaglio(m_cursore), false);
}

void Scansione::indietro()
{
    const int n = m_fe.numeroBersagli();
    if (n <= 0 || m_parcheggiata)
        return;
    if (m_cursore >= 0 && m_cursore < n)
        m_fe.dipingi(m_cursore, FrontendScansione::Colore::Bottoni);
    const int prima = m_cursore;
    m_cursore = primoUtilizzabile(std::clamp(m_cursore, 0, n), -1);
    contaPasso(m_cursore >= prima);
    m_fe.dipingi(m_cursore, FrontendScansione::Colore::Selezione);
    m_fe.annuncia(m_fe.nomeBersaglio(m_cursore), false);
}

void Scansione::seleziona()
{
    if (m_cursore < 0 || m_cursore >= m_fe.numeroBersagli())
        return;
    if (m_fe.utilizzabile(m_cursore))
        m_fe.annuncia(m_fe.nomeBersaglio(m_cursore), true);
    m_fe.seleziona(m_cursore);
    m_passi = 0;
    m_giriPassi = 0;
}

void Scansione::contaPasso(bool giro)
{
    ++m_passi;
    if (giro)
        ++m_giriPassi;
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
    if (m_modo != 2 || tasto != Tasto::Spazio)
        return;
    if (m_filtro.timing().holdToScan)
        riavvia(intervallo());
    else
        m_timer.stop(); // holding the select switch keeps the highlight where it is
}

void Scansione::rilascioAutomatica(int tasto)
{
    if (m_modo != 2 || tasto != Tasto::Spazio)
        return;
    const SwitchTiming &t = m_filtro.timing();
    if (m_ferma) {
        // After the loops ran out, a press wakes the scanning and chooses nothing.
        m_ferma = false;
        m_giri = 0;
        riavvia(intervallo());
        return;
    }
    m_giri = 0;
    if (t.holdToScan) {
        m_timer.stop();
        seleziona();
        return;
    }
    seleziona();
    if (m_fe.aperta() && m_modo == 2)
        riavvia(intervallo() + t.pauseAfterChoiceMs);
}

void Scansione::continua()
{
    if (m_modo == 0 || m_timer.isActive() || m_ferma)
        return;
    if (m_modo != 2)
        m_timer.start(100);
    else if (!m_filtro.timing().holdToScan)
        riavvia(intervallo());
}

void Scansione::pressioneAnnullata(int tasto)
{
    if (m_modo != 2 || tasto != Tasto::Spazio)
        return;
    if (m_filtro.timing().holdToScan)
        m_timer.stop();
    else if (!m_ferma && m_fe.aperta())
        riavvia(intervallo());
}

void Scansione::tick()
{
    switch (m_modo) {
    case 1:
    case 3:
        m_fe.daiFuoco(FrontendScansione::Box::Manuale);
        break;
    case 2: {
        m_fe.daiFuoco(FrontendScansione::Box::Automatica);
        const int prima = m_cursore;
        avanza();
        if (m_parcheggiata)
            break;
        const int giri = m_filtro.timing().scanLoops;
        if (m_cursore <= prima && ++m_giri >= giri && giri > 0 && !m_filtro.timing().holdToScan) {
            m_timer.stop();
            m_ferma = true;
        } else if (m_timer.isActive()) {
            riavvia(intervallo());
        }
        break;
    }
    default:
        break;
    }
}

void Scansione::fuocoPerso()
{
    if (m_modo != 2 || m_timer.isActive() || !m_fe.aperta() || m_ferma)
        return;
    // A release the box will never see: scanning goes on, or for a held switch stays still.
    if (!m_filtro.timing().holdToScan)
        riavvia(intervallo());
}
