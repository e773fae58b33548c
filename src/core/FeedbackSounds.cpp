#include "core/FeedbackSounds.h"

#include "core/AppState.h"
#include "core/RandomSource.h"
#include "platform/SoundPlayer.h"

#include <QDir>

namespace {

void suona(AppState &state, const QString &cartella)
{
    if (!state.profilo.Suoni || !state.sound)
        return;
    const QString folder = state.paths.programFolder() + cartella;
    // Counted afresh each time, files and folders alike, so sounds can be added while running.
    const int n = int(QDir(state.paths.toHost(folder))
                          .entryList({QStringLiteral("*.wav")},
                                     QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                          .size());
    const int k = (state.random ? state.random->below(n) : 0) + 1;
    // A name that does not exist (an empty folder gives 1.wav) plays the default sound.
    state.sound->play(state.paths.toHost(folder + QString::number(k) + QStringLiteral(".wav")));
}

} // namespace

void SuonoSi(AppState &state)
{
    suona(state, QStringLiteral("\\suoni\\si\\"));
}

void SuonoNo(AppState &state)
{
    suona(state, QStringLiteral("\\suoni\\no\\"));
}
