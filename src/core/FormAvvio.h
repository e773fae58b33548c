#pragma once

#include "core/FormBase.h"

class PictureButton;
class QLabel;
class SvgPicture;

// The start-up window: a title and a cup over a pink-to-orange gradient, and a button that
// leads to the main menu.
class FormAvvio final : public FormBase
{
    Q_OBJECT
public:
    explicit FormAvvio(AppState &state);

    PictureButton *Command1 = nullptr;
    SvgPicture *Image1 = nullptr;
    QLabel *Label2 = nullptr;

    // Band i (0 at the top) of the background gradient.
    static QColor coloreBanda(int i);

protected:
    void Form_Activate() override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Command1_Click();
};
