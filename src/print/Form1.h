#pragma once

#include <QDialog>
#include <QList>

class AppState;
class FiguraDaColorare;
class QLabel;
class QMenuBar;
class QAction;

// Six cup drawings for colouring by hand: a click on one opens the print window for it; the
// window stays open so several can be printed one after another.
class Form1 : public QDialog
{
    Q_OBJECT
public:
    explicit Form1(AppState &state, QWidget *parent = nullptr);

    void Form_Load();
    void Picture1_Click(int index);
    void mnuEsci_Click();

    QList<FiguraDaColorare *> Picture1;
    QLabel *Label1 = nullptr;
    QMenuBar *barraMenu = nullptr;
    QAction *mnuEsci = nullptr;

private:
    AppState &m_state;
};
