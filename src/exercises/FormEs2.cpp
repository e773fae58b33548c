#include "exercises/FormEs2.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "exercises/TestiFrase.h"

#include <QLabel>

FormEs2::FormEs2(AppState &state)
    : FormDueRisposte(state, QStringLiteral("FormEs2"),
                    {ExerciseRules::UgualeDiverso, 2, false, 2, QStringLiteral("\\swf\\Vorbe1.swf")}),
      m_logica(*state.random)
{
    Command1[0]->setText(QStringLiteral("uguale"));
    Command1[1]->setText(QStringLiteral("diverso"));
}

void FormEs2::attivazioneBottoni()
{
    if (m_state.profilo.TipoCarattere == QLatin1String("maiuscolo"))
        for (int i = 0; i < 2; ++i)
            Command1[i]->setText(Command1[i]->text().toUpper());
}

void FormEs2::ridisegna()
{
    for (int cup = 0; cup < 2; ++cup)
        Tazza::mostra(*ShockwaveFlash[cup], m_state, m_logica.attributi[cup]);
}

void FormEs2::ImpostaColori()
{
    m_logica.ImpostaColori([this](int cup, int k) {
        return Tazza::invia(*ShockwaveFlash[cup], m_state, m_logica.attributi[cup], k);
    });
}

void FormEs2::ScriviFrase()
{
    m_logica.Livello = m_flow.level();
    m_logica.ScriviFrase(TestiFrase(m_state));
    Frase = m_logica.FraseCorrente.testo();
    Soluzione = m_logica.Soluzione;
}

QString FormEs2::fraseMostrata(const QString &frase) const
{
    // The builders leave a blank for the answer word, and the right answer adds its own.
    return ApplicaCarattere(frase.trimmed(), m_state.profilo.TipoCarattere);
}

void FormEs2::rispostaEsattaMouse(int index)
{
    // The sentence now reads complete, with the word the pupil chose (a reward then clears it).
    Label1->setText(Label1->text() + QLatin1Char(' ') + Command1[index]->text());
    adattaTesto(Label1);
    FormDueRisposte::rispostaEsattaMouse(index);
}
