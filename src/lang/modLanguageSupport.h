#pragma once

#include <QString>
#include <QStringList>

class AppState;
class QWidget;
class QObject;

// Where the language files live, below the program folder.
inline const QString CartellaLingue = QStringLiteral("\\lgnvorbello\\");

// The text of a numbered string ("0001"…), or empty when the language, its file or the key is
// missing.
QString MLSGetString(AppState &state, const QString &key);

// Applies the current language file to a loaded window and all its controls: the window's title
// and tag, then for each control its caption, tool-tip and tag (control-array elements as
// Name(Index).Caption), and tab captions. A missing file changes nothing.
void MLSApplyToForm(AppState &state, QWidget *window);

// The languages whose ".lng" files exist, in the order the file system lists them (by name).
QStringList ElencoLingue(const AppState &state);

// The language recorded in "LangSetting.ini". When none is recorded but language files exist,
// the first one is taken and recorded.
QString LinguaImpostata(AppState &state);

// Switches to another language: every loaded window is translated again and the choice recorded;
// a choice that cannot be recorded is told.
void MLSCambiaLingua(AppState &state, const QString &language);

// Control properties as the language layer sees them; false when the control has none.
namespace ControlText {
bool setCaption(QObject *control, const QString &text);
QString caption(const QObject *control);
bool setToolTip(QObject *control, const QString &text);
void setTag(QObject *control, const QString &text);
QString tag(const QObject *control);
// Index of a control-array element, or -1 for a single control.
int index(const QObject *control);
void setIndex(QObject *control, int index);
} // namespace ControlText
