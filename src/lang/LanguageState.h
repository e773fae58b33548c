#pragma once

#include "lang/IniStore.h"
#include "platform/Paths.h"

#include <QString>
#include <functional>

class Dialogs;
class QtTexts;

// What the language layer reads and keeps: where the files are, the INI store, the language in
// use. The application state extends it with everything else.
class LanguageState
{
public:
    // userFolder: where the language choice goes when the program's folder cannot take it.
    LanguageState(const Paths &paths, const QString &userFolder);
    LanguageState(const LanguageState &) = delete;
    LanguageState &operator=(const LanguageState &) = delete;

    Paths paths;
    IniStore ini;
    const QString cartellaUtente;
    QString LinguaCorrente;

    // Owned by whoever made the state; never null once set up.
    Dialogs *dialogs = nullptr;
    // Told once the current language has changed, before the choice is recorded, so that
    // whatever was built from the old language's texts follows the new one.
    std::function<void()> linguaCambiata;
    // Qt's own texts and the date formats, when the program has them follow its language.
    QtTexts *testiQt = nullptr;
};
