#pragma once

#include <QList>
#include <QString>

// One piece of a sentence and where it came from, so that what a sentence says can be traced
// back to the numbered strings it was made of.
struct Pezzo
{
    QString chiave; // numbered string, "0092"; empty for a colour word or a bare blank
    int colore = 0; // colour row 1..4 when the piece is a colour word
    QString testo;
};

// A sentence as the exercises build it: pieces joined with nothing in between.
class Frase
{
public:
    Frase &operator+=(const Pezzo &p);
    // Appends another sentence, in lower case when asked (a second clause inside a sentence).
    void aggiungi(const Frase &altra, bool minuscolo = false);
    void clear() { m_pezzi.clear(); }
    bool isEmpty() const { return m_pezzi.isEmpty(); }
    const QList<Pezzo> &pezzi() const { return m_pezzi; }
    QString testo() const;

private:
    QList<Pezzo> m_pezzi;
};

// "maiuscolo": all capitals; anything else: lower case with a capital first letter.
QString ApplicaCarattere(const QString &testo, const QString &TipoCarattere);

// A sentence as the pupil reads it: runs of blanks made one, no blank at either end, the
// letter case of the profile and, when asked, a full stop. Texts are joined with blanks the
// program adds itself, so a language text that ends in a blank must not leave "fiore ." behind.
QString FraseFinita(const QString &testo, const QString &TipoCarattere, bool puntoFinale);
