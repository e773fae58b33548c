#include "core/NomiClip.h"

#include "core/AppState.h"
#include "lang/modLanguageSupport.h"

namespace {

// Which numbered text names which decoration of the cup movie.
constexpr struct
{
    const char *key;
    const char *clip;
} ClipPerChiave[] = {
    {"0012", "fiore"},   {"0014", "strisce"},    {"0016", "vapore"},
    {"0018", "cuore"},   {"0020", "cucchiaino"}, {"0021", "biscotto"},
};

} // namespace

void CaricaNomiClip(AppState &state)
{
    state.NomiClip.clear();
    const QStringList lingue = ElencoLingue(state);
    for (const QString &lingua : lingue) {
        const QString file =
            state.paths.programFolder() + CartellaLingue + lingua + QStringLiteral(".lng");
        for (const auto &c : ClipPerChiave) {
            const QString text = state.ini
                                     .LeggiIni(file, QStringLiteral("Strings"),
                                               QString::fromLatin1(c.key))
                                     .value_or(QString())
                                     .trimmed()
                                     .toLower();
            if (!text.isEmpty() && !state.NomiClip.contains(text))
                state.NomiClip.insert(text, QString::fromLatin1(c.clip));
        }
    }
}
