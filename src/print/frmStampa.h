#pragma once

#include "print/GeometriaStampa.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

class AppState;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class UpDown;
class AnteprimaFoglio;

// The print window: the user places a window or a cup drawing on the sheet (margins, size or
// scale, centring), chooses the printer and the copies, and prints. Opened without an object it
// only sets up the printer.
class frmStampa : public QDialog
{
    Q_OBJECT
public:
    explicit frmStampa(AppState &state, QWidget *parent = nullptr);
    ~frmStampa() override;

    // Takes the object (a main window or a cup drawing; null for printer set-up) and the values
    // to start from. False, with the message shown, when it cannot be printed; the window is then
    // not to be shown.
    bool Prepara(QWidget *oggetto, int X, int Y, int W, std::optional<int> H,
                 std::optional<int> orientamento, std::optional<QString> titolo,
                 std::optional<double> fattoreLarghezza);
    // The job's name in the printer's queue; without one, the title or the object's name.
    void setNomeLavoro(const QString &nome) { m_nomeLavoro = nome; }
    // What happens each time the window opens: printers listed, sheet measured, boxes filled.
    void Apri();

    void AggiornaAnteprima();
    // Prints with the current values; true when every copy went out.
    bool StampaSuFoglio();

    Posizione posizione() const { return m_pos; }
    Foglio foglio() const { return m_foglio; }
    QString stampante() const;
    bool conOggetto() const { return m_conOggetto; }
    bool stampato() const { return m_stampato; }
    QRect rettangoloFoglio() const; // the sheet as drawn in picPreview
    QRect rettangoloStampa() const; // the print as drawn in picPreview

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cboPrinterNames = nullptr;
    QPushButton *cmdProprieta = nullptr;
    QLabel *imgPrinter = nullptr;
    QGroupBox *Frame2 = nullptr;
    AnteprimaFoglio *picPreview = nullptr;
    QLabel *lblFuoriFoglio = nullptr;
    QLabel *lblStampaInCorso = nullptr;
    QLabel *Label3 = nullptr, *lblFgW = nullptr, *Label5 = nullptr;
    QLabel *Label4 = nullptr, *lblFgH = nullptr, *Label6 = nullptr;
    QTimer *Timer1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLabel *Label7 = nullptr, *Label9 = nullptr;
    QLineEdit *txtPrX = nullptr, *txtPrY = nullptr;
    UpDown *updPrX = nullptr, *updPrY = nullptr;
    QCheckBox *chkCentro = nullptr;
    QPushButton *cmdOrigine = nullptr;
    QGroupBox *Frame4 = nullptr;
    QLabel *Label8 = nullptr, *Label10 = nullptr;
    QLineEdit *txtPrW = nullptr, *txtPrH = nullptr;
    UpDown *updPrW = nullptr, *updPrH = nullptr;
    QCheckBox *chkProporzioni = nullptr;
    QPushButton *cmdMax = nullptr;
    QLabel *lblLblScala = nullptr, *lblPScala = nullptr;
    QLineEdit *txtScala = nullptr;
    QPushButton *cmdScalaOK = nullptr;
    QLabel *lblLblNCopie = nullptr;
    QLineEdit *txtNCopies = nullptr;
    UpDown *updNCopies = nullptr;
    QPushButton *cmdStampa = nullptr, *cmdChiudi = nullptr, *cmdOK = nullptr;

    // The blinking warning's two backgrounds.
    static QColor coloreAllarme() { return QColor(255, 0, 0); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    friend class AnteprimaFoglio;
    void sceltaStampante();
    void ridisegnaFoglio();
    void cambiato(QLineEdit *box);
    void digitato(QLineEdit *box);
    void passo(QLineEdit *box, UpDown *arrows, int verso);
    void applicaScala();
    void completa(QLineEdit *box); // a box left empty shows its value again
    void scriviValori();
    void cmdProprieta_Click();
    void cmdStampa_Click();
    void cmdChiudi_Click();
    void cmdMax_Click();
    void cmdOrigine_Click();
    void chkCentro_Click();
    void chkProporzioni_Click();
    void Timer1_Timer();
    void salvaAnteprima();

    AppState &m_state;
    bool m_conOggetto = false;
    bool m_finestra = false; // the object is a window (else a drawing)
    QString m_nomeOggetto;
    QString m_titolo;
    QString m_nomeLavoro;
    int m_orientamentoRichiesto = 0;
    std::function<void(QPainter &, const QRect &)> m_disegna;
    QImage m_immagine; // a window's image, taken once
    double m_proporzione = 1.0;
    double m_larghezzaOggetto = 1.0;
    Posizione m_pos;
    Foglio m_foglio;
    ImpostazioniPagina m_paginaIniziale;
    int m_copieIniziali = 1;
    bool m_allarmeAcceso = false;
    bool m_scalaDigitata = false;
    bool m_stampato = false;
};
