#pragma once

#include "core/AccessSettings.h"
#include "core/History.h"
#include "core/Profilo.h"
#include "core/Registro.h"
#include "lang/LanguageState.h"
#include "platform/Paths.h"
#include "platform/Printers.h"
#include "platform/Speech.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class RandomSource;
class SoundPlayer;
class WindowRegistry;
class clsResize;
class QWidget;

// What the windows share for the whole run. Main makes one; tests make their own.
class AppState : public LanguageState
{
public:
    explicit AppState(const Paths &paths);
    ~AppState();
    AppState(const AppState &) = delete;
    AppState &operator=(const AppState &) = delete;

    Profilo profilo;
    AccessSettings accesso; // kept beside the profile, loaded and saved with it
    QString NomeUtente;
    QString FileProfilo;

    Registro registro;

    std::array<QString, 61> Frasi;
    std::array<QString, 216> ColoriVB;
    std::array<QString, 216> ColoriHex;
    // Language texts naming the cup's decorations -> the clips' ids in the cup movie.
    QHash<QString, QString> NomiClip;

    // The print window's choices, kept from one print to the next while the program runs.
    struct StatoStampa
    {
        QString stampante;
        ImpostazioniPagina pagina{1, QPageSize()};
        int copie = 1;
    } stampa;


    // The resizer of the window loaded most recently.
    std::unique_ptr<clsResize> Ridimensionatore;

    // Seams, owned by whoever made the state (Main or a test); never null once set up.
    RandomSource *random = nullptr;
    Printers *printers = nullptr;
    SoundPlayer *sound = nullptr;
    WindowRegistry *windows = nullptr;
    // Reads aloud; may stay null (no speech at all).
    Speech *voce = nullptr;
    // Shows a document (host path); the desktop's handler when unset. False when no program
    // could show it.
    std::function<bool(const QString &)> apriDocumento;
    // What the pupil's access settings ask to be read aloud: a sentence of an exercise, the
    // name of what the scan lit (quietly), or the choice made.
    void leggiFrase(const QString &testo);
    void annuncia(const QString &nome, bool scelta);
    // The history of runs, opened at its first use (the database driver costs memory the menu
    // does not need). Null when it cannot be used this session; the user is told once why.
    History *storia();
    // Whether the current pupil's runs go into the history.
    bool storiaAttiva() const;
    // The name the current pupil's history is kept under: pupils' names differ by more than case.
    QString pupilloStoria() const { return NomeUtente.toUpper(); }
    // A run the log just recorded, kept in the history when the pupil's settings say so.
    void registraCorsa(History::Run run);
    // Where the history is kept (host path); tests and benchmarks set their own.
    QString fileStoria;

    // Ends the program at once with an exit code (the application's event loop in the product).
    std::function<void(int)> esci;

private:
    void storiaNonDisponibile();

    std::unique_ptr<History> m_storia;
    bool m_storiaSegnalata = false;
};
