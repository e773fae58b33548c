#pragma once

#include "core/FormBase.h"
#include "scanning/Scansione.h"

#include <QList>

class ColorButton;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class ScanBox;
class SvgPicture;

// The hub: one big button per exercise and one to quit, chosen by mouse, keyboard or switches;
// the menus for configuration, the log, information and the language.
class FormMenu final : public FormBase, private FrontendScansione
{
    Q_OBJECT
public:
    static constexpr int NumeroScelte = 7;

    explicit FormMenu(AppState &state);
    ~FormMenu() override;

    void Form_Load() override;
    void linguaCambiata() override;

    void AvviaEsercizi(int scelta);
    void ImpostaUtente();
    void RecuperaUtenti();
    void MLSFillMenuLanguages();

    QList<ColorButton *> Command1;
    QList<SvgPicture *> Image1;
    QComboBox *Combo1 = nullptr;
    QLabel *LabelDimensionaFont = nullptr;
    ScanBox *PictureScansioneManuale = nullptr;
    ScanBox *PictureScansioneAutomatica = nullptr;
    QMenuBar *barraMenu = nullptr;
    QAction *mnuConfigura = nullptr;
    QAction *mnuEserciziEseguiti = nullptr;
    QMenu *mnuInfo = nullptr;
    QAction *mnuDocum = nullptr;
    QAction *mnuAbout = nullptr;
    QMenu *mnuLanguages = nullptr;
    QList<QAction *> mnuLanguage;

    Scansione &scansione() { return m_scansione; }
    QColor coloreSfondo() const;

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Combo1_Click();
    // Element n (the next index) of the language entries.
    QAction *nuovaVoceLingua();
    void mnuLanguage_Click(int index);
    void cliccato(int i);
    void sopra(int i);
    int indiceDi(QObject *o) const;
    void dimensionaFont();

    // Scanning front end.
    int numeroBersagli() const override { return NumeroScelte; }
    void dipingi(int bersaglio, Colore colore) override;
    void seleziona(int bersaglio) override { AvviaEsercizi(bersaglio); }
    void mostraBox(Box box, bool visibile) override;
    void daiFuoco(Box box) override;
    bool aperta() const override { return !m_scaricata; }
    QString nomeBersaglio(int bersaglio) const override;
    void annuncia(const QString &nome, bool scelta) override;

    Scansione m_scansione;
    bool m_scaricata = false;
    bool m_inRecupero = false;
};
