#include "lang/LanguageState.h"

LanguageState::LanguageState(const Paths &p, const QString &userFolder)
    : paths(p), ini(paths), cartellaUtente(userFolder)
{
}
