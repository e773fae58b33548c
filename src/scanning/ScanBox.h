#pragma once

#include <QWidget>

// A small focus holder that takes the switch keys in the scanning modes. Keys are reported with
// the codes the scanning rules use (space 32, Enter 13, arrows 37-40); held keys repeat on most
// desktops, and those repeats are dropped so that one press of a switch is one action.
class SwitchFilter;

class ScanBox : public QWidget
{
    Q_OBJECT
public:
    explicit ScanBox(QWidget *parent = nullptr);
    static int codice(int qtKey);
    // The pupil's timing rules, asked before a key is passed on; none passes every key.
    void setFiltro(SwitchFilter *filtro) { m_filtro = filtro; }

Q_SIGNALS:
    void premuto(int codice);
    void rilasciato(int codice);
    // A press passed on whose release came too soon for it to count.
    void annullato(int codice);
    void fuocoPerso();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab must not take the focus away

private:
    SwitchFilter *m_filtro = nullptr;
};
