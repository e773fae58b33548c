#pragma once

#include "exercises/FormDueRisposte.h"
#include "exercises/LogicaEs5.h"

// "Sets": a sentence names a set of cups; cup after cup, the pupil says whether it belongs,
// and each right answer puts a copy of the cup into its group, until a group holds ten.
class FormEs5 final : public FormDueRisposte
{
    Q_OBJECT
public:
    static constexpr int Gruppo = 10;

    explicit FormEs5(AppState &state);

    void ApriFileVorbe() override;
    void GeneraEsercizio() override;
    void Command1_Click(int index) override;

    QList<Filmato *> ShockwaveFlash2; // the cups that belong
    QList<Filmato *> ShockwaveFlash3; // the cups that do not
    QList<QWidget *> linee;           // Line1..Line3
    int NumeroSi = 0;
    int NumeroNo = 0;

    LogicaEs5 &logica() { return m_logica; }

protected:
    void ImpostaColori() override;
    void ScriviFrase() override;
    void selectTarget(int bersaglio) override;

private:
    void giudica(int index, bool scansione);
    void colora(QList<Filmato *> &gruppo, int posto);

    LogicaEs5 m_logica;
};
