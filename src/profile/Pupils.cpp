#include "profile/Pupils.h"

#include "core/AccessSettings.h"
#include "core/AppState.h"
#include "core/Modulo1.h"
#include "core/History.h"
#include "core/Profilo.h"
#include "platform/StoredFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Predefinito = QStringLiteral("_predefinito");

QString fileDi(const QString &nome)
{
    return SettingsRoot::Programma + nome + QStringLiteral(".ini");
}

// Whether there is anything under the name, even a link to nothing.
bool presente(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The history of progress to carry along or delete with a pupil: none when there is no history
// file. False when there is one that cannot be opened: the pupil must then stay as it is, or
// its history would pass to the next pupil given its name.
bool storiaDi(AppState &state, History **storia)
{
    *storia = state.storia();
    return *storia || !QFileInfo::exists(state.fileStoria);
}

} // namespace

QStringList Pupils::elenco(Filtro filtro) const
{
    const QDir dir(m_state.paths.toHost(SettingsRoot::Programma));
    QStringList nomi;
    if (filtro == Filtro::Menu) {
        const bool maiuscolo = m_state.profilo.TipoCarattere == QLatin1String("maiuscolo");
        for (const QString &e : dir.entryList({QStringLiteral("*.ini")},
                                              QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString nome = e.left(e.size() - 4);
            // A name that reads as a path would save the profile somewhere else; the file
            // beside a profile is that pupil's, and read as a profile it would be set aside.
            if (nome.contains(QLatin1Char('\\')) || nome.contains(QLatin1Char('/')) ||
                AccessSettings::isFileBeside(e))
                continue;
            nomi.append(maiuscolo ? nome.toUpper() : nome);
        }
        return nomi;
    }
    for (const QString &file : dir.entryList({QStringLiteral("*.ini")}, QDir::Files | QDir::Hidden,
                                             QDir::Name | QDir::IgnoreCase)) {
        if (file.toLower() == QLatin1String("_predefinito.ini") || file.size() <= 4 ||
            AccessSettings::isFileBeside(file))
            continue;
        const QString nome = file.left(file.size() - 4);
        // A name that could not be typed here would lead the profile out of its folder.
        if (!nomeValido(nome) || nomi.contains(nome.toUpper()))
            continue;
        nomi.append(nome.toUpper());
    }
    return nomi;
}

bool Pupils::nomeValido(const QString &nome)
{
    // The access settings' temporary file beside the profile must still fit a file system's
    // 255-byte names.
    if (nome.trimmed().isEmpty() || nome.contains(QLatin1String("..")) ||
        QFile::encodeName(nome).size() > 200)
        return false;
    bool soloPunti = true;
    for (const QChar c : nome) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
        if (c != QLatin1Char('.') && !c.isSpace())
            soloPunti = false;
    }
    // Its profile would be another pupil's access settings.
    if (soloPunti || AccessSettings::isFileBeside(QString(nome + QStringLiteral(".ini"))))
        return false;
    // Device names are not files on Windows, whatever follows them.
    const QString base = nome.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList dispositivi = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                            QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (dispositivi.contains(base))
        return false;
    return !(base.size() == 4 &&
             (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
             base[3] >= QLatin1Char('1') && base[3] <= QLatin1Char('9'));
}

QString Pupils::esistente(const QString &nome) const
{
    if (!nomeValido(nome))
        return QString();
    const QString file = m_state.paths.toHost(fileDi(nome));
    if (!EsisteFile(m_state.paths, fileDi(nome)))
        return QString();
    // The name as the folder spells it, so the profile is not written twice in two cases.
    const QString trovato = QFileInfo(file).fileName();
    return trovato.left(trovato.size() - 4);
}

bool Pupils::passaA(const QString &nome)
{
    // A new pupil whose name was refused has no file and nothing to save.
    if (!m_state.FileProfilo.isEmpty() && !SalvaProfilo(m_state))
        return false;
    rendiCorrente(nome);
    CaricaProfilo(m_state);
    return true;
}

void Pupils::prendi(const QString &nome)
{
    rendiCorrente(nome);
    if (EsisteFile(m_state.paths, m_state.FileProfilo))
        CaricaProfilo(m_state);
}

void Pupils::rendiCorrente(const QString &nome)
{
    if (nome.compare(m_state.NomeUtente, Qt::CaseInsensitive) != 0)
        m_state.registro.svuota();
    m_state.NomeUtente = nome;
    m_state.FileProfilo = fileDi(nome);
}

bool Pupils::modificabile() const
{
    return !m_state.FileProfilo.isEmpty() &&
           m_state.NomeUtente.compare(Predefinito, Qt::CaseInsensitive) != 0 &&
           EsisteFile(m_state.paths, m_state.FileProfilo);
}

Pupils::Esito Pupils::rinomina(const QString &richiesto)
{
    // Blanks round a name are not seen in a list: "Luca " would pass for Luca.
    const QString nuovo = richiesto.trimmed();
    if (!modificabile())
        return Esito::Fallito;
    if (!nomeValido(nuovo) || nuovo.compare(Predefinito, Qt::CaseInsensitive) == 0)
        return Esito::NomeNonValido;
    if (nuovo.compare(m_state.NomeUtente, Qt::CaseInsensitive) == 0)
        return Esito::Fatto;
    if (!esistente(nuovo).isEmpty())
        return Esito::NomeUsato;
    History *storia = nullptr;
    // What is on screen goes along (the teacher is told when it cannot be saved).
    if (!storiaDi(m_state, &storia) || !SalvaProfilo(m_state))
        return Esito::Fallito;

    using StoredFile::Move;
    const auto esito = [](Move m) { return m == Move::Taken ? Esito::NomeUsato : Esito::Fallito; };
    const QString profilo = m_state.paths.toHost(m_state.FileProfilo);
    const QString nuovoProfilo = m_state.paths.toHost(fileDi(nuovo));
    const QString accesso = AccessSettings::pathBeside(profilo);
    const QString nuovoAccesso = AccessSettings::pathBeside(nuovoProfilo);
    // Each step is undone when a later one fails: a half-renamed pupil would split in two.
    const Move mossa = StoredFile::renameToNew(profilo, nuovoProfilo);
    if (mossa != Move::Done)
        return esito(mossa);
    const bool conAccesso = presente(accesso);
    if (conAccesso) {
        const Move m = StoredFile::renameToNew(accesso, nuovoAccesso);
        if (m != Move::Done) {
            StoredFile::renameToNew(nuovoProfilo, profilo);
            return esito(m);
        }
    }
    if (storia) {
        const History::Renamed r = storia->rename(m_state.pupilloStoria(), nuovo.toUpper());
        if (r != History::Renamed::Done) {
            if (conAccesso)
                StoredFile::renameToNew(nuovoAccesso, accesso);
            StoredFile::renameToNew(nuovoProfilo, profilo);
            return r == History::Renamed::Taken ? Esito::NomeUsato : Esito::Fallito;
        }
    }
    m_state.NomeUtente = nuovo;
    m_state.FileProfilo = fileDi(nuovo);
    return Esito::Fatto;
}

bool Pupils::elimina()
{
    History *storia = nullptr;
    if (!modificabile() || !storiaDi(m_state, &storia))
        return false;
    if (storia && !storia->forget(m_state.pupilloStoria()))
        return false;
    const QString profilo = m_state.paths.toHost(m_state.FileProfilo);
    const QString accesso = AccessSettings::pathBeside(profilo);
    if (presente(accesso) && !QFile::remove(accesso))
        return false;
    if (!QFile::remove(profilo))
        return false;
    rendiCorrente(Predefinito);
    CaricaProfilo(m_state);
    return true;
}
