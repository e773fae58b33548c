#pragma once

#include "exercises/FormDueRisposte.h"
#include "exercises/LogicaEs2.h"

// "Same or different": the pupil completes a sentence about two cups with "same" or
// "different".
class FormEs2 final : public FormDueRisposte
{
    Q_OBJECT
public:
    explicit FormEs2(AppState &state);

    LogicaEs2 &logica() { return m_logica; }

protected:
    void ImpostaColori() override;
    void ridisegna() override;
    void ScriviFrase() override;
    // The unfinished sentence keeps its blank for the word the pupil adds.
    QString fraseMostrata(const QString &frase) const override;
    void rispostaEsattaMouse(int index) override;
    void livelloCambiato() override { GeneraEsercizio(); }
    void attivazioneBottoni() override;

private:
    LogicaEs2 m_logica;
};
