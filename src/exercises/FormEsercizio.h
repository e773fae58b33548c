#pragma once

#include "core/FormBase.h"
#include "exercises/ExerciseFlow.h"
#include "scanning/Scansione.h"

#include <QList>

class ColorButton;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class ScanBox;

// What every exercise window shares: the counters of right and wrong answers in the status
// bar, the level (by thresholds or from the level menu), the log rows written when a run ends,
// the switch boxes and scanning clock, and the way back to the menu. Each window adds its
// pictures, its answers and its scanning targets.
class FormEsercizio : public FormBase, protected FrontendScansione
{
    Q_OBJECT
public:
    FormEsercizio(AppState &state, const QString &name, QSize design,
                  const ExerciseFlow::Rules &rules);
    ~FormEsercizio() override;

    void Form_Load() override;
    virtual void GeneraEsercizio() = 0;
    // What the pupil is asked, as read aloud on a new exercise and on request (the R key).
    virtual QString fraseDaLeggere() const { return QString(); }
    // The thresholds of automatic passage; the panels show the outcome.
    void CambiaLivello();
    void mnuLiv_Click(int index);
    void mnuEsci_Click();
    void mnuStEserc_Click();
    void mnuStOr_Click();
    void mnuStVer_Click();
    void mnuCol_Click(); // mnuPag in every window but the first

    QStatusBar *StatusBar1 = nullptr;
    QList<QLabel *> pannelli;
    ScanBox *PictureScansioneManuale = nullptr;
    ScanBox *PictureScansioneAutomatica = nullptr;
    QWidget *PicMerlino = nullptr;
    QMenuBar *barraMenu = nullptr;
    QMenu *mnuLivelli = nullptr;
    QList<QAction *> mnuLiv; // element 0 is level 1
    QMenu *mnuSt = nullptr;
    QAction *mnuStEserc = nullptr;
    QMenu *mnuStPg = nullptr;
    QAction *mnuStOr = nullptr;
    QAction *mnuStVer = nullptr;
    QAction *mnuCol = nullptr;
    QAction *mnuEsci = nullptr;
    // Reads the sentence again. On view while the pupil's profile reads sentences aloud, and
    // then the scan's last target.
    ColorButton *readAloudButton = nullptr;

    const ExerciseFlow &flow() const { return m_flow; }
    // Tests start a scenario somewhere in a run.
    ExerciseFlow &flowForTest() { return m_flow; }

    int Selezionato() const { return m_scansione.cursore(); }
    Scansione &scansione() { return m_scansione; }

protected:
    // After a level change by the thresholds.
    virtual void livelloCambiato() {}
    // Activation: the window's own set-up, after the common one and before the first exercise.
    virtual void attiva() {}

    void Form_Activate() override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    void scriviPannelli();
    // Back from a print dialog: the exercise starts again, as at every activation.
    void ricomincia();
    // This exercise's print jobs, named in the pupil's language.
    QString nomeLavoro() const;
    // One more right answer, shown; true when a reward is due.
    bool contaGiusta(bool attendeAvanti);
    void contaSbagliata(); // the wrong sound and one more error, shown
    ExerciseFlow::ScanCount scanCount() const;
    QColor coloreBottoni() const;
    // A button lit by the scan, or back to its colour, with the pupil's frame when lit.
    void evidenzia(ColorButton *b, bool acceso) const;
    QColor coloreSelezione() const;
    // The text style of the profile: colours of the text and its background, font and size.
    void stileTesto(QWidget *w) const;
    // The profile's font size, or the largest smaller one at which the text fits the area (no
    // less than 6): a pupil on switches cannot scroll, so every line must show.
    int dimensioneCheEntra(const QFont &font, const QRect &area, const QString &text, int flags) const;
    void adattaTesto(QLabel *l) const;

    // The window's own scanning targets; the read-aloud button comes after them.
    virtual int exerciseTargets() const = 0;
    virtual void paintTarget(int target, Colore colore) = 0;
    virtual void selectTarget(int target) = 0;
    virtual bool targetUsable(int target) const = 0;
    int readAloudTarget() const { return exerciseTargets(); }

    void mostraBox(Box box, bool visibile) override;
    void daiFuoco(Box box) override;
    bool aperta() const override { return !m_uscita; }
    QString nomeBersaglio(int bersaglio) const override;
    void annuncia(const QString &nome, bool scelta) override;
    // The control a scanning target stands for, whose accessible name is read aloud.
    virtual const QWidget *widgetBersaglio(int) const { return nullptr; }
    void leggiFrase();
    // Asked by the pupil or the teacher: read whatever the profile says.
    void leggiDiNuovo();
    void keyPressEvent(QKeyEvent *event) override;

    ExerciseFlow m_flow;
    Scansione m_scansione;
    bool m_uscita = false;

private:
    int numeroBersagli() const final { return exerciseTargets() + 1; }
    void dipingi(int bersaglio, Colore colore) final;
    void seleziona(int bersaglio) final;
    bool utilizzabile(int bersaglio) const final;
};
