#pragma once

#include "core/FormBase.h"
#include "menu/Scansione.h"

#include <QList>

class ColorButton;
class Filmato;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class ScanBox;

// What the exercises with a sentence and two answers share: the cup movies, the sentence, the
// answer and next-exercise buttons, the counters in the status bar, levels by thresholds or by
// menu, rewards, the switches, the log rows and the way back to the menu. Each exercise draws
// its own picture and sentence.
class FormEsercizio : public FormBase, protected FrontendScansione
{
    Q_OBJECT
public:
    struct Regole
    {
        int livelli = 1;
        int ciclo = 1;          // exercises per picture
        bool puntoFinale = false;
        int filmati = 1;        // cup movies side by side
        QString filmato;        // below the program folder
    };
    static constexpr int SogliaErrori = 5;
    static constexpr int SogliaPromozione = 7;
    static constexpr int PremioOgni = 10;

    FormEsercizio(AppState &state, const QString &name, const Regole &regole);
    ~FormEsercizio() override;

    void Form_Load() override;

    void ApriFileVorbe();
    void GeneraEsercizio();
    void CambiaLivello();
    void UnLivelloInMeno();
    void UnLivelloInPiu();
    void MostraPremio();
    void Command1_Click(int index);
    void mnuLiv_Click(int index);
    void mnuEsci_Click();

    QLabel *Label1 = nullptr;
    QList<ColorButton *> Command1;
    QList<Filmato *> ShockwaveFlash; // ShockwaveFlash1, ShockwaveFlash2 ...
    QStatusBar *StatusBar1 = nullptr;
    QList<QLabel *> pannelli;
    ScanBox *PictureScansioneManuale = nullptr;
    ScanBox *PictureScansioneAutomatica = nullptr;
    QWidget *PicMerlino = nullptr;
    QMenuBar *barraMenu = nullptr;
    QMenu *mnuLivelli = nullptr;
    QList<QAction *> mnuLiv; // index 0 is the first level
    QAction *mnuEsci = nullptr;

    int Livello = 1;
    int Soluzione = 0;
    QString Frase;
    int ContaPremio = 0;
    bool RicaricaFilmato = false;
    int CicloColori = 0;

    int Selezionato() const { return m_scansione.cursore(); }
    Scansione &scansione() { return m_scansione; }
    const Regole &regole() const { return m_regole; }

protected:
    // The exercise's own part: a new picture, and a sentence with its right answer.
    virtual void ImpostaColori() = 0;
    virtual void ScriviFrase() = 0;
    // The sentence as the pupil reads it: letter case and, where the exercise has it, the stop.
    virtual QString fraseMostrata(const QString &frase) const;
    virtual void rispostaEsattaMouse(int index);
    // After a level change by the thresholds.
    virtual void livelloCambiato() {}
    virtual void attivazioneBottoni() {}

    void Form_Activate() override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    void scriviPannelli();
    void giusta();  // counts a right answer, with the reward when it is due
    void sbagliata();
    void ScriviRegistro();
    QColor coloreBottoni() const;
    QColor coloreSelezione() const;

    // Scanning front end: the three buttons.
    int numeroBersagli() const override { return 3; }
    void dipingi(int bersaglio, Colore colore) override;
    void seleziona(int bersaglio) override;
    void mostraBox(Box box, bool visibile) override;
    void daiFuoco(Box box) override;
    bool utilizzabile(int bersaglio) const override;
    bool aperta() const override { return !m_uscita; }

    Regole m_regole;
    Scansione m_scansione;
    bool m_uscita = false;

private:
    void sopra(int index);
    void azzeraColori();
    void adattaFontBottoni();
};
