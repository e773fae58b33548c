#pragma once

#include "core/FormBase.h"
#include "log/Rapporto.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTableWidget;

// The exercise log for the teacher: the rows of the current runs as a table, saved to and
// reopened from report files, and printed.
class FormEserciziEseguiti final : public FormBase
{
    Q_OBJECT
public:
    explicit FormEserciziEseguiti(AppState &state);

    void mnuSalva_Click();
    void mnuApri_Click();
    void mnuStampa_Click();
    void mnuEsci_Click();
    // The pupil's progress over weeks, from the history.
    void mnuProgressi_Click();

    // The per-user report folder, Windows-style.
    QString CartellaReport() const;
    // What the window shows, as a report.
    Rapporto rapporto() const;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QTableWidget *MSFlexGrid1 = nullptr;
    QMenuBar *barraMenu = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnuSalva = nullptr;
    QAction *mnuApri = nullptr;
    QAction *mnuStampa = nullptr;
    QAction *mnuEsci = nullptr;
    QAction *mnuProgressi = nullptr;

protected:
    void Form_Activate() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void larghezzeColonne();
    void intestazione(const QString &chiaveEsercizio);
    void cella(int row, int col, const QString &text);
    QString testoCella(int row, int col) const;
    bool preparaCartella();
};
