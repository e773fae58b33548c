#include "exercises/FormEs1.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "exercises/TestiFrase.h"

FormEs1::FormEs1(AppState &state)
    : FormDueRisposte(state, QStringLiteral("FormEs1"),
                    {ExerciseRules::VeroFalso, 3, true, 1, QStringLiteral("\\swf\\vorbe1.swf")}),
      m_logica(*state.random)
{
    Command1[0]->setText(QStringLiteral("Vero"));
    Command1[1]->setText(QStringLiteral("Falso"));
}

void FormEs1::ridisegna()
{
    Tazza::mostra(*ShockwaveFlash[0], m_state, m_logica.attributi);
}

void FormEs1::ImpostaColori()
{
    m_logica.ImpostaColori([this](int k) { return Tazza::invia(*ShockwaveFlash[0], m_state, m_logica.attributi, k); });
}

void FormEs1::ScriviFrase()
{
    m_logica.Livello = m_flow.level();
    m_logica.ScriviFrase(TestiFrase(m_state));
    Frase = m_logica.FraseCorrente.testo();
    Soluzione = m_logica.Soluzione;
}
