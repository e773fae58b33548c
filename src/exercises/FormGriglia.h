#pragma once

#include "exercises/FormEsercizio.h"
#include "exercises/LogicaEs6.h"
#include "core/SelectionFrame.h"

class ColorButton;
class Filmato;
class QPlainTextEdit;

// A grid of 2 to 12 cups and the list of one cup's features, the model. "Find the odd ones
// out" removes the other cups one by one; "Find the cup" picks the model.
class FormGriglia : public FormEsercizio
{
    Q_OBJECT
public:
    static constexpr int Posti = 12;

    FormGriglia(AppState &state, const QString &name, LogicaEs6::Variante variante);
    ~FormGriglia() override;

    void GeneraEsercizio() override;
    void ImpostaLivelli();
    void ApriFileVorbe();
    void ImpostaColori();
    void ScriviFrase();
    void adattaElenco();
    void disponiTazze();
    void SistemaRiquadro();
    // The choice of a cup by the mouse (its movie was clicked) or by the switches.
    void sceltaTazza(int index, bool scansione);
    void Command1_Click();

    QList<Filmato *> ShockwaveFlash1;
    QList<QList<QWidget *>> slot; // Frame1 .. Frame5
    QWidget *Shape1 = nullptr;
    // Round the model once the exercise is over: another colour and shape than Shape1, the
    // scan's highlight, so the model is never taken for the item the scan is on.
    SelectionFrame *CorniceModello = nullptr;
    // The model frame's colour: far from the selection colour.
    static QColor coloreModello(const QColor &selezione);
    QPlainTextEdit *Text1 = nullptr;
    QLabel *Label1 = nullptr;
    ColorButton *Command1 = nullptr;
    QWidget *Picture1 = nullptr;

    int NumeroPosti = 2;

    LogicaEs6 &logica() { return m_logica; }
    bool finito() const; // the exercise is over and waits for the new-exercise button

protected:
    void attiva() override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    int exerciseTargets() const override { return NumeroPosti; }
    QString nomeBersaglio(int b) const override;
    QString fraseDaLeggere() const override;
    void paintTarget(int bersaglio, Colore colore) override;
    void selectTarget(int bersaglio) override;
    bool targetUsable(int bersaglio) const override;

    // The instruction Label1 shows when the language file gives none.
    QString m_consegna;

private:
    void nuovoEsercizio();
    void tastoManuale(int tasto);
    void passoRiga(int verso);
    void incorniciaModello();
    void fine(bool scansione);
    void colora(bool selezione);
    // Cups on view and the new-exercise button as the logic and the run have them.
    void mostraTazze();

    LogicaEs6 m_logica;
    LogicaEs6::Variante m_variante;
};

class FormEs6 final : public FormGriglia
{
    Q_OBJECT
public:
    explicit FormEs6(AppState &state);
};

class FormEs7 final : public FormGriglia
{
    Q_OBJECT
public:
    explicit FormEs7(AppState &state);
};
