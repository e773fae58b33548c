#pragma once

#include "exercises/FormDueRisposte.h"
#include "exercises/LogicaEs1.h"

// "True or false": the pupil says whether the sentence is true of the cup.
class FormEs1 final : public FormDueRisposte
{
    Q_OBJECT
public:
    explicit FormEs1(AppState &state);

    LogicaEs1 &logica() { return m_logica; }

protected:
    void ImpostaColori() override;
    void ridisegna() override;
    void ScriviFrase() override;

private:
    LogicaEs1 m_logica;
};
