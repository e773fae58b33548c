#pragma once

#include "core/FormBase.h"

#include <QList>

class ColorButton;
class Filmato;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;

// Where the teacher chooses or creates the pupil and edits that pupil's profile: colours of the
// cups and their names, colours and font of the exercises, text style, level passage, sounds,
// input mode and scanning speed. Every control writes straight into the shared profile; the
// file is written when the pupil changes and when the window closes.
class FormConfigura final : public FormBase
{
    Q_OBJECT
public:
    static constexpr int Schede = 7;
    static constexpr int Caselle = 216;

    explicit FormConfigura(AppState &state);

    void Form_Load() override;

    // Shows the profile in the controls.
    void ImpostaConfigurazioni();
    // Deletes the current pupil's history of progress, once the teacher confirms.
    void CommandCancellaStoria_Click();
    // Renames the current pupil to a name the teacher types.
    void CommandRinominaUtente_Click();
    // Deletes the current pupil with settings and history, once the teacher confirms.
    void CommandEliminaUtente_Click();
    // Hides the six tab frames.
    void NascondiFrame();
    // Names of colours 1..4 into the captions of Option2 (1..4) and the colours into the preview.
    void PreparaVorbe();

    // Whether a typed name can name a pupil: it must stay a file inside the profile folder.
    // "Velocità scansione: 1,50 secondi" for 6 quarters of a second, in the locale's style.
    // The speed caption: `modello` from the language file with %1 for the seconds.
    static QString DidascaliaVelocita(int quarti, const QString &modello = QString());

    void mnuEsci_Click();

    QMenuBar *barraMenu = nullptr;
    QAction *mnuEsci = nullptr;
    QLabel *Label4 = nullptr;
    QTabBar *TabStrip1 = nullptr;
    // In tab order: FrameUtente, FrameVorbe, FrameScelteDid, FrameFonts, FrameSuoni, FramePunt,
    // FrameSwitches.
    QList<QFrame *> frames;

    QFrame *FrameUtente = nullptr;
    QList<QRadioButton *> OptionUtente;
    QListWidget *ListModificaUtente = nullptr;
    QLineEdit *TextNuovoUtente = nullptr;
    QCheckBox *CheckSalvaUtente = nullptr;
    QCheckBox *CheckStoria = nullptr;
    QPushButton *CommandCancellaStoria = nullptr;
    // Under the list of pupils: the chosen pupil under a new name, or deleted.
    QPushButton *CommandRinominaUtente = nullptr;
    QPushButton *CommandEliminaUtente = nullptr;

    QFrame *FrameVorbe = nullptr;
    Filmato *ShockwaveFlash1 = nullptr;
    QList<QRadioButton *> Option2;
    QList<QLabel *> CasellaColorata;
    QPushButton *Command4 = nullptr;

    QFrame *FrameScelteDid = nullptr;
    QCheckBox *Check1 = nullptr;
    QGroupBox *FrameScelte = nullptr;
    QRadioButton *minuscolo = nullptr;
    QRadioButton *maiuscolo = nullptr;
    QRadioButton *corsivo = nullptr;
    QList<QLabel *> LabelFontSelezionato;

    QFrame *FrameFonts = nullptr;
    QGroupBox *Frame5 = nullptr;
    ColorButton *Command1 = nullptr;
    ColorButton *CommandSceltaColoreBottoni = nullptr;
    QPushButton *CommandSceltaSfondoTesto = nullptr;
    QPushButton *CommandSceltaColoreFont = nullptr;
    QPushButton *CommandSceltaFont = nullptr;
    QGroupBox *Frame6 = nullptr;
    QPushButton *CommandSceltaColori = nullptr;
    QList<QRadioButton *> OptionColoreCasualeFisso;
    QLabel *LabelPerColore = nullptr;

    QFrame *FrameSuoni = nullptr;
    QCheckBox *CheckSuoni = nullptr;
    QCheckBox *CheckSpeakScanning = nullptr;
    QCheckBox *CheckReadSentences = nullptr;
    QLabel *LabelVoiceRate = nullptr;
    QSlider *SliderVoiceRate = nullptr;

    QFrame *FramePunt = nullptr;
    QList<QRadioButton *> Option4;
    QSlider *HScroll3 = nullptr;
    QLabel *Label7 = nullptr;
    QCheckBox *CheckDisabilitaMousePersonalizzato = nullptr;
    QLabel *Label1 = nullptr;

    // The pupil's switch timing and highlight frame: one caption and slider per setting, in
    // the order of the table in the source.
    QFrame *FrameSwitches = nullptr;
    QList<QLabel *> LabelSwitches;
    QList<QSlider *> SliderSwitches;
    QCheckBox *CheckHoldToScan = nullptr;

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void mostraStoria();
    // The list of pupils, the current one chosen, and whether it can be renamed or deleted.
    void riempiElencoUtenti();
    // A text of the language file, or the built-in one where the file lacks it or its %1.
    QString testo(const char *chiave, const char *predefinito) const;
    void TabStrip1_Click(int tab);
    void OptionUtente_Click(int index);
    void ListModificaUtente_Click();
    // The new pupil's name is taken when the teacher leaves the box (or the window): typed
    // letter by letter, "Anna" would first take up a pupil "Ann". False when it is refused.
    bool TextNuovoUtente_Conferma();
    void CasellaColorata_Click(int k);
    void Command4_Click();
    void minuscolo_Click();
    void maiuscolo_Click();
    void corsivo_Click();
    void Command1_Click();
    void CommandSceltaColoreBottoni_Click();
    void CommandSceltaColoreFont_Click();
    void CommandSceltaSfondoTesto_Click();
    void CommandSceltaColori_Click();
    void OptionColoreCasualeFisso_Click(int index);
    void CommandSceltaFont_Click();
    void Option4_Click(int index);
    void HScroll3_Change();
    void mostraAccesso();

    // Makes nome the current pupil; the log of exercises done belongs to the previous one.
    void cambiaUtente(const QString &nome);
    void sfondo(QWidget *w, const QColor &colour);

    bool m_uscita = false;
    QString m_nuovoConfermato; // the new pupil's name last taken
};
