#pragma once

#include "exercises/FormEsercizio.h"
#include "exercises/LogicaEs8.h"

class ColorButton;
class Filmato;
class SvgPicture;

// "Find the differences": a model cup and its copy side by side, and seven pictures, one per
// feature. Naming a feature in which the copy differs puts it right; once the cups are equal a
// new pair can be asked for.
class FormEs8 final : public FormEsercizio
{
    Q_OBJECT
public:
    static constexpr int Caratteristiche = 7;
    // Scanning positions: the pictures 0..6, then the new-pair button (7 is never used).
    static constexpr int PostoNuovaCoppia = 8;

    explicit FormEs8(AppState &state);
    ~FormEs8() override;

    void Form_Load() override;

    void ApriFileVorbe();
    void GeneraEsercizio() override;
    void ImpostaColori();
    void ColoraPrimaTazza();
    void ColoraSecondaTazza();
    void ColoraSelezionato();
    void Image1_Click(int index);
    void Command1_Click(int index);
    void Label1_Click();

    Filmato *ShockwaveFlash1 = nullptr; // the model
    Filmato *ShockwaveFlash2 = nullptr; // the copy
    QWidget *Picture1 = nullptr;        // the bar of pictures and buttons
    QList<SvgPicture *> Image1;         // Image1(i) stands for feature i + 1
    QList<QWidget *> Shape1;            // the frame round each picture
    QList<ColorButton *> Command1;      // 0 new pair, 1 instructions
    QWidget *Picture2 = nullptr;        // the instruction panel
    QLabel *Label1 = nullptr;

    LogicaEs8 &logica() { return m_logica; }

protected:
    void attiva() override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    int exerciseTargets() const override { return PostoNuovaCoppia + 1; }
    const QWidget *widgetBersaglio(int b) const override;
    QString fraseDaLeggere() const override;
    void paintTarget(int bersaglio, Colore colore) override;
    void selectTarget(int bersaglio) override;
    bool targetUsable(int bersaglio) const override;

private:
    void giudica(int caratteristica);
    void incornicia(int index); // -1: no frame
    void sopra(int index);      // mouse over button index, or -1 over anything else
    void posizionaBarra();

    LogicaEs8 m_logica;
    int m_sopra = -1; // the button under the pointer, in mouse mode
};
