#pragma once

#include <QString>

class AppState;
class QWidget;

// The open (mode 1) or save (any other mode) dialog, starting in a folder the program names
// Windows-style. The host path chosen, or an empty string when the user cancelled.
QString ScegliFile(AppState &state, QWidget *owner, int mode, const QString &titolo, const QString &nome,
                   const QString &filtro, const QString &cartella, const QString &estensione);
