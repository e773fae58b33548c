#include "app/Main.h"

#include "about/FormInfo.h"
#include "core/AppState.h"
#include "core/FormAvvio.h"
#include "core/Modulo1.h"
#include "core/NomiClip.h"
#include "core/ProgramFiles.h"
#include "core/RandomSource.h"
#include "core/WindowRegistry.h"
#include "exercises/FormEs1.h"
#include "exercises/FormEs2.h"
#include "exercises/FormEs5.h"
#include "exercises/FormEs8.h"
#include "exercises/FormGriglia.h"
#include "lang/QtTexts.h"
#include "lang/modLanguageSupport.h"
#include "log/FormEserciziEseguiti.h"
#include "menu/FormMenu.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/PlainToolTips.h"
#include "platform/ScrollBars.h"
#include "platform/Speech.h"
#include "platform/SoundPlayer.h"
#include "platform/StoredFile.h"
#include "profile/FormConfigura.h"

#include <QApplication>
#include <QDir>

namespace {

template <class Form> void definisci(AppState &state, const QString &name)
{
    state.windows->define(name, [](AppState &s) { return new Form(s); });
}

} // namespace

void RegistraFinestre(AppState &state)
{
    definisci<FormAvvio>(state, QStringLiteral("FormAvvio"));
    definisci<FormMenu>(state, QStringLiteral("FormMenu"));
    definisci<FormInfo>(state, QStringLiteral("FormInfo"));
    definisci<FormEs1>(state, QStringLiteral("FormEs1"));
    definisci<FormEs2>(state, QStringLiteral("FormEs2"));
    definisci<FormEs8>(state, QStringLiteral("FormEs8"));
    definisci<FormEs5>(state, QStringLiteral("FormEs5"));
    definisci<FormEs6>(state, QStringLiteral("FormEs6"));
    definisci<FormEs7>(state, QStringLiteral("FormEs7"));
    definisci<FormEserciziEseguiti>(state, QStringLiteral("FormEserciziEseguiti"));
    definisci<FormConfigura>(state, QStringLiteral("FormConfigura"));
}

std::optional<int> AvviaProgramma(AppState &state, bool altraCopiaAttiva)
{
    if (state.testiQt)
        state.testiQt->follow(LinguaImpostata(state));
    if (altraCopiaAttiva) {
        state.dialogs->message(nullptr, MLSGetString(state, QStringLiteral("0001")));
        return 0;
    }
    if (!CreaCartelleImpostazioni(state)) {
        QString msg = MLSGetString(state, QStringLiteral("0165"));
        if (msg.isEmpty())
            msg = QStringLiteral("Impossibile creare la cartella delle impostazioni:");
        state.dialogs->message(nullptr,
                               msg + QStringLiteral("\r\n") +
                                   state.paths.toHost(SettingsRoot::Programma),
                               QString(), Dialogs::Icon::Critical);
        return 1;
    }
    // Said once, before any window shows blank buttons or sentences of dots.
    const QString mancanti = ProgramFiles::missingReport(state);
    if (!mancanti.isEmpty())
        state.dialogs->message(nullptr, mancanti, QString(), Dialogs::Icon::Warning);
    // Left by a save that was killed; the program runs once, so none is being written now.
    StoredFile::removeLeftovers(state.paths.toHost(SettingsRoot::Programma), QStringLiteral(".ini"),
                                std::chrono::minutes(1));
    // The cursive style asks for "Indis1"; make that name find the shipped font in this run.
    Fonts::registerForProgram(
        state.paths.toHost(state.paths.programFolder() + QStringLiteral("\\indis1.ttf")),
        QStringLiteral("Indis1"));

    state.FileProfilo = SettingsRoot::Programma + QStringLiteral("_predefinito.INI");
    state.NomeUtente = QStringLiteral("_predefinito");
    CaricaProfilo(state);
    CaricaFrasi(state);
    CaricaNomiClip(state);
    CaricaPalette(state);
    if (QWidget *w = state.windows->get(QStringLiteral("FormAvvio")))
        w->show();
    return std::nullopt;
}

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorbello"));
    QApplication::setOrganizationName(QStringLiteral("Vorbello"));
    showToolTipsAsPlainText(app);
    showScrollThumbsDark(app);

    AppState state(Paths::forHost());
    QtDialogs dialogs;
    QtTexts testiQt;
    state.testiQt = &testiQt;
    QtPrinters printers;
    QtSpeech voce;
    state.voce = &voce;
    ClockRandom random; // seeded from the clock
    WindowRegistry windows(state);
    state.dialogs = &dialogs;
    state.printers = &printers;
    state.random = &random;
    state.windows = &windows;
    state.esci = [](int code) { QCoreApplication::exit(code); };
    SoundModule sound(state.paths.toHost(state.paths.programFolder() +
                                         QStringLiteral("\\suoni\\predefinito.wav")));
    state.sound = &sound;
    RegistraFinestre(state);

    // The lock lives in the settings root, which may not exist yet in a fresh home. Making it
    // writes no notice: the program's own folder, made later, does.
    const QString radice = state.paths.toHost(SettingsRoot::Radice);
    QDir().mkpath(radice);
    SingleInstance instance(radice);
    if (const std::optional<int> fine = AvviaProgramma(state, !instance.acquire()))
        return *fine;
    return app.exec();
}
