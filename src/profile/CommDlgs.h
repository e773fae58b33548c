#pragma once

#include <QString>

class AppState;
class QWidget;

// The colour dialog. When the user confirms, the colour becomes the target's text colour
// (its ForeColor) and the result is true; on cancel the target is left exactly as it was.
bool ScegliColore(AppState &state, QWidget *owner, QWidget *target);
// The text colour of a control as a colour code, 0x00BBGGRR.
double ForeColor(const QWidget *control);

// The font dialog, starting from the target's font. When the user confirms, the target's font
// takes the chosen name, size (whole points), bold, italic and underline, and the result is
// true; on cancel nothing changes.
bool ScegliFont(AppState &state, QWidget *owner, QWidget *target);
// A size in points as the font dialog reports it (to a tenth) made whole, halves to even:
// 10.5 gives 10, 11.5 gives 12.
int PuntiInteri(double pointSize);

// The open (mode 1) or save (any other mode) dialog, starting in a folder the program names
// Windows-style. The host path chosen, or an empty string when the user cancelled.
QString ScegliFile(AppState &state, QWidget *owner, int mode, const QString &titolo, const QString &nome,
                   const QString &filtro, const QString &cartella, const QString &estensione);
