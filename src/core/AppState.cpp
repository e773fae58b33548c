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

void AppState::leggiFrase(const QString &testo)
{
    if (voce && accesso.readSentences)
        voce->say(testo, QLocale(), accesso.voiceRate, Speech::Kind::Text);
}

void AppState::annuncia(const QString &nome, bool scelta)
{
    if (voce && accesso.speakScanning)
        voce->say(nome, QLocale(), accesso.voiceRate, scelta ? Speech::Kind::Text : Speech::Kind::Cue);
}
