#pragma once

#include <QString>
#include <QStringList>

class LanguageState;
class QWidget;
class QObject;

// Where the language files live, below the program folder.
inline const QString CartellaLingue = QStringLiteral("\\lgnvorbello\\");

// The text of a numbered string ("0001"…), or empty when the language, its file or the key is
// missing.
QString MLSGetString(LanguageState &state, const QString &key);
// The same from a given language's file, current or not.
QString MLSGetStringIn(LanguageState &state, const QString &lingua, const QString &key);

// Applies the current language file to a loaded window and all its controls: the window's title
// and tag, then for each control its caption, tool-tip and tag (control-array elements as
// Name(Index).Caption), and tab captions. A missing file changes nothing.
void MLSApplyToForm(LanguageState &state, QWidget *window);
// The caption MLSApplyToForm gives the named control of the named window, or `builtIn` when the
// file has none for it: what the control shows, without asking the control.
QString MLSCaption(LanguageState &state, const QString &window, const QString &control,
                   const QString &builtIn);

// The languages whose ".lng" files exist, in the order the file system lists them (by name).
QStringList ElencoLingue(const LanguageState &state);

// The language to use: the one recorded in "LangSetting.ini". When none is recorded but
// language files exist, the first one is taken and recorded; when the recorded one is not
// usable, the first usable one is taken (and the record left alone).
QString LinguaImpostata(LanguageState &state);
// The language recorded in "LangSetting.ini", usable or not; empty when none can be read.
QString LinguaRegistrata(LanguageState &state);
// True when the language's file can be read and has its texts (a [Strings] section).
bool LinguaUtilizzabile(LanguageState &state, const QString &lingua);

// Switches to another language: the state's linguaCambiata is told (the program translates its
// windows again there), then the choice is recorded; a choice that cannot be recorded is told.
void MLSCambiaLingua(LanguageState &state, const QString &language);

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
