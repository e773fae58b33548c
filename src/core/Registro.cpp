#include "core/Registro.h"

bool Registro::iniziaEsercizio(const QString &nome)
{
    m_inizioAnnullabile = false;
    if (m_corrente >= UltimaRiga)
        return false;
    ++m_corrente;
    m_righe[size_t(m_corrente)] = {nome, QString(), QString(), QString()};
    m_inizioAnnullabile = true;
    return true;
}

void Registro::annullaEsercizio()
{
    if (!m_inizioAnnullabile)
        return;
    m_righe[size_t(m_corrente)] = {};
    --m_corrente;
    m_inizioAnnullabile = false;
}

void Registro::scriviRisultato(int livello, int esatte, int errate)
{
    m_inizioAnnullabile = false;
    if (m_corrente > UltimaRiga)
        return;
    Riga &r = m_righe[size_t(m_corrente)];
    r[1] = QString::number(livello);
    r[2] = QString::number(esatte);
    r[3] = QString::number(errate);
    ++m_corrente;
}

void Registro::svuota()
{
    for (int r = 0; r <= std::min(m_corrente, UltimaRiga); ++r)
        m_righe[size_t(r)] = {};
    m_corrente = 0;
    m_inizioAnnullabile = false;
}
