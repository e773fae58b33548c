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

private:
    AppState &m_state;
};
