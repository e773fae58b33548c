#pragma once

#include <QString>
#include <QStringList>

class AppState;

// The pupils: one profile each in the settings folder, the names that may stand for one, and
// the move from one pupil to another. The menu and the configuration window both go through
// here, each listing the pupils with its own filter.
class Pupils
{
public:
    enum class Filtro {
        Menu,           // every profile whose name is not a path, in the profile's letter case
        Configurazione, // the pupils a teacher may edit: no default, no unusable name, upper case
    };

    explicit Pupils(AppState &state) : m_state(state) {}

    QStringList elenco(Filtro filtro) const;
    // A name that can be a profile's file name in the settings folder and nowhere else.
    static bool nomeValido(const QString &nome);
    // The pupil with exactly this name, compared without case ("Ann" is not "Anna"); empty
    // when there is none.
    QString esistente(const QString &nome) const;

    // Saves the current pupil, then makes `nome` current with its own settings (the defaults
    // for a pupil without a file). False, with nothing changed, when the save failed: loading
    // over settings that could not be written would lose them.
    bool passaA(const QString &nome);
    // Makes `nome` current with its settings: a pupil that exists brings its own, a new one
    // keeps those on screen. Nothing is saved.
    void prendi(const QString &nome);
    // The pupil named is current from now on; another pupil than before starts an empty log.
    void rendiCorrente(const QString &nome);

    // Whether the current pupil can be renamed or deleted: one with a file, not the default.
    bool modificabile() const;
    enum class Esito { Fatto, NomeNonValido, NomeUsato, Fallito };
    // The current pupil, saved, under a new name: the profile, the access settings beside it
    // and the history of progress go along, or nothing changes. This run's log stays, as the
    // pupil is the same. A change of letter case only changes nothing; blanks round the name
    // are dropped. Nothing changes either when there is a history that cannot be opened.
    Esito rinomina(const QString &nuovo);
    // Deletes the current pupil's history, access settings and profile, in that order, and
    // makes the default pupil current. False, with the pupil still current, when something
    // could not be deleted, or when there is a history that cannot be opened.
    bool elimina();

private:
    AppState &m_state;
};
