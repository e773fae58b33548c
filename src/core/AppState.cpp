#include "core/AppState.h"

#include "core/FormBase.h"
#include "core/Modulo1.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "layout/clsResize.h"

AppState::AppState(const Paths &p) : LanguageState(p, SettingsRoot::Programma)
{
    linguaCambiata = [this] {
        // The exercises build their sentences from these pieces: they follow the language too.
        CaricaFrasi(*this);
        if (windows) {
            for (QWidget *w : windows->loaded()) {
                MLSApplyToForm(*this, w);
                if (auto *form = qobject_cast<FormBase *>(w))
                    form->linguaCambiata();
            }
        }
    };
}

AppState::~AppState() = default;
