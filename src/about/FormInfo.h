#pragma once

#include "core/FormBase.h"

class ColorButton;
class QLabel;
class SvgPicture;

// Credits, terms of use and up to four lines from the language file; its picture opens the
// second document.
class FormInfo final : public FormBase
{
    Q_OBJECT
public:
    explicit FormInfo(AppState &state);

    ColorButton *Command1 = nullptr;
    SvgPicture *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;

    // Texts of keys 9996..9999, each followed by a line break; empty ones left out.
    static QString testoLingua(AppState &state);

protected:
    void Form_Activate() override;
};
