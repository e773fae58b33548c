#include "exercises/Frase.h"

#include <QRegularExpression>

Frase &Frase::operator+=(const Pezzo &p)
{
    m_pezzi.append(p);
    return *this;
}

void Frase::aggiungi(const Frase &altra, bool minuscolo)
{
    for (Pezzo p : altra.m_pezzi) {
        if (minuscolo)
            p.testo = p.testo.toLower();
        m_pezzi.append(p);
    }
}

QString Frase::testo() const
{
    QString out;
    for (const Pezzo &p : m_pezzi)
        out += p.testo;
    return out;
}

QString ApplicaCarattere(const QString &testo, const QString &TipoCarattere)
{
    if (TipoCarattere == QLatin1String("maiuscolo"))
        return testo.toUpper();
    QString out = testo.toLower();
    if (!out.isEmpty())
        out[0] = out[0].toUpper();
    return out;
}

QString FraseFinita(const QString &testo, const QString &TipoCarattere, bool puntoFinale)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    QString out = testo;
    out.replace(blanks, QStringLiteral(" "));
    out = ApplicaCarattere(out.trimmed(), TipoCarattere);
    if (puntoFinale)
        out += QLatin1Char('.');
    return out;
}
