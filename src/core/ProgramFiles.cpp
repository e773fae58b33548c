#include "core/ProgramFiles.h"

#include "core/AppState.h"
#include "lang/modLanguageSupport.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramFiles {

QStringList pictures()
{
    QStringList list;
    for (const char *name : {"appartiene", "nonappartiene", "avanti", "ascolta", "info", "puntatore"})
        list << QStringLiteral("\\immagini\\%1.svg").arg(QLatin1String(name));
    for (int i = 1; i <= 7; ++i)
        list << QStringLiteral("\\immagini\\caratteristica%1.svg").arg(i);
    for (int i = 0; i <= 6; ++i)
        list << QStringLiteral("\\immagini\\menu%1.svg").arg(i);
    for (const char *name : {"vorbe", "vorbe1", "pagliaccio0"})
        list << QStringLiteral("\\swf\\%1.svg").arg(QLatin1String(name));
    for (int i = 1; i <= 6; ++i)
        list << QStringLiteral("\\figure\\tazza%1.svg").arg(i);
    // The rewards are drawn from whatever the folder holds; one is enough.
    list << QStringLiteral("\\animazioni\\1.svg");
    return list;
}

QStringList missingPictures(const AppState &state)
{
    QStringList missing;
    for (const QString &p : pictures()) {
        const QString host = state.paths.toHost(state.paths.programFolder() + p);
        if (!QFileInfo(host).isFile())
            missing << QDir::toNativeSeparators(host);
    }
    return missing;
}

QString missingReport(AppState &state)
{
    const QString inUso = LinguaImpostata(state);
    const bool leggibile = LinguaUtilizzabile(state, inUso);
    const QString registrata = LinguaRegistrata(state);
    const QStringList figure = missingPictures(state);
    QStringList parti;
    if (!leggibile) {
        const QString cartella = QDir::toNativeSeparators(
            state.paths.toHost(state.paths.programFolder() + CartellaLingue));
        parti << QStringLiteral("Nessun file di lingua utilizzabile nella cartella:\n%1\n"
                                "No usable language file in the folder:\n%1")
                     .arg(cartella);
        if (!figure.isEmpty())
            parti << QStringLiteral("Mancano questi file / These files are missing:\n") +
                         figure.join(QLatin1Char('\n'));
        return parti.join(QStringLiteral("\n\n"));
    }
    if (!registrata.isEmpty() && registrata != inUso)
        parti << MLSGetString(state, QStringLiteral("0194")).arg(registrata, inUso);
    if (!figure.isEmpty())
        parti << MLSGetString(state, QStringLiteral("0195")) + QLatin1Char('\n') +
                     figure.join(QLatin1Char('\n'));
    return parti.join(QStringLiteral("\n\n"));
}

} // namespace ProgramFiles
