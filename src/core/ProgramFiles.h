#pragma once

#include <QString>
#include <QStringList>

class AppState;

// What the program needs from its own folder to show anything: a usable language and the
// pictures its windows are drawn with.
namespace ProgramFiles {

// The pictures the windows need, as program-folder paths ("\immagini\avanti.svg").
QStringList pictures();

// Host paths of the needed pictures that are missing.
QStringList missingPictures(const AppState &state);

// The message for what is missing at start, empty when all is there: the recorded language that
// could not be used and the one used instead, and the missing pictures. In the language in use,
// or in both shipped languages when none can be read.
QString missingReport(AppState &state);

} // namespace ProgramFiles
