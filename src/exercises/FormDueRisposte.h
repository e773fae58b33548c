#pragma once

#include "exercises/FormEsercizio.h"

class ColorButton;
class Filmato;

// The exercises where the pupil judges a sentence about the cups with one of two answers:
// the sentence, the cup movies, the answer and next-exercise buttons (also the switches'
// targets), and a reward animation every ten right answers.
class FormDueRisposte : public FormEsercizio
{
    Q_OBJECT
public:
    struct Regole
    {
        ExerciseFlow::Rules flusso;
        int ciclo = 1;          // exercises per picture
        bool puntoFinale = false;
        int filmati = 1;        // cup movies side by side
        QString filmato;        // below the program folder
    };
    FormDueRisposte(AppState &state, const QString &name, const Regole &regole);
    ~FormDueRisposte() override;

    virtual void ApriFileVorbe();
    // After a reward the movie is reloaded before every exercise.
    void ricaricaFilmato();
    void GeneraEsercizio() override;
    void MostraPremio();
    virtual void Command1_Click(int index);

    QLabel *Label1 = nullptr;
    QList<ColorButton *> Command1;
    QList<Filmato *> ShockwaveFlash; // ShockwaveFlash1, ShockwaveFlash2

    int Soluzione = 0;
    QString Frase;
    bool RicaricaFilmato = false;
    int CicloColori = 0;

protected:
    // The exercise's own part: a new picture, and a sentence with its right answer.
    virtual void ImpostaColori() = 0;
    // Shows again the picture already drawn (the movie was reloaded under it).
    virtual void ridisegna() {}
    virtual void ScriviFrase() = 0;
    // The sentence as the pupil reads it: letter case and, where the exercise has it, the stop.
    virtual QString fraseMostrata(const QString &frase) const;
    virtual void rispostaEsattaMouse(int index);
    virtual void attivazioneBottoni() {}

    void attiva() override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // A right answer: counted, the reward when it is due, the right sound; "next" then waits.
    void giusta();
    // The buttons as the phase of the run has them.
    void mostraFase();

    int exerciseTargets() const override { return 3; }
    const QWidget *widgetBersaglio(int b) const override;
    QString fraseDaLeggere() const override { return Frase; }
    void paintTarget(int bersaglio, Colore colore) override;
    void selectTarget(int bersaglio) override;
    bool targetUsable(int bersaglio) const override;

    Regole m_regole;

private:
    void sopra(int index);
    void adattaFontBottoni();

    int m_sopra = -1; // the button under the pointer, in mouse mode
};
