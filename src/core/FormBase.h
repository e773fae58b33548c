#pragma once

#include <QSize>
#include <QWidget>

class AppState;

// A main window: laid out absolutely at its design size, translated and given a resizer when
// loaded, scaled by the shared resizer whenever its size changes, and activated each time it is
// shown.
class FormBase : public QWidget
{
    Q_OBJECT
public:
    FormBase(AppState &state, const QString &name, QSize designSize, QWidget *parent = nullptr);

    // Translation and the resizer; the registry calls it once the window is built.
    virtual void Form_Load();
    // After the language changed and the window's texts were applied again: for texts the
    // window builds itself.
    virtual void linguaCambiata() {}

    AppState &state() const { return m_state; }

protected:
    virtual void Form_Activate() {}
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    // Gives the window the whole screen but for the desktop's panels.
    void occupaSchermo();
    // "Show X and unload myself". False (and nothing done) while window X does not exist.
    bool mostraEChiudi(const QString &finestra);

    AppState &m_state;
};
