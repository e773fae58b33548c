#include "core/Profilo.h"

#include "core/AppState.h"
#include "core/Modulo1.h"
#include "lang/modLanguageSupport.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/RecordFile.h"
#include "platform/StoredFile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

#include <limits>

Profilo::Profilo()
{
    CaricaNomiColori(*this);
}

namespace {

const char *const RigheColori[5][5] = {
    {"FFFFCC", "sfondo", "sfondo", "sfondo", "sfondo"},
    {"00FF00", "verde", "verdi", "verde", "verdi"},
    {"FF0000", "rosso", "rossi", "rossa", "rosse"},
    {"0000FF", "blu", "blu", "blu", "blu"},
    {"FFFF00", "giallo", "gialli", "gialla", "gialle"},
};
constexpr int PrimaChiaveNomiColore = 196; // four keys, one per colour: its four forms

using Nomi = std::array<QString, 4>;

// A language's default names of colour 1..4, or nothing when its file lacks a usable key.
std::optional<Nomi> nomiPredefiniti(AppState &state, const QString &lingua, int colore)
{
    const QStringList forme =
        MLSGetStringIn(state, lingua, ChiaveNumerata(PrimaChiaveNomiColore + colore - 1))
            .split(QLatin1Char(','));
    if (forme.size() != 4)
        return std::nullopt;
    Nomi nomi;
    for (int f = 0; f < 4; ++f) {
        nomi[size_t(f)] = forme[f].trimmed();
        if (nomi[size_t(f)].isEmpty())
            return std::nullopt;
    }
    return nomi;
}

} // namespace

void CaricaNomiColori(Profilo &p)
{
    // Made once and shared: every profile made starts from them.
    static const auto nomi = [] {
        std::array<std::array<QString, 5>, 5> t;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                t[r][c] = QString::fromLatin1(RigheColori[r][c]);
        return t;
    }();
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            p.TabellaColori[r][c] = nomi[r][c];
}

std::array<std::array<QString, 5>, 6> TabellaColoriMostrata(AppState &state)
{
    auto tabella = state.profilo.TabellaColori;
    if (state.LinguaCorrente.isEmpty())
        state.LinguaCorrente = LinguaImpostata(state);
    const QStringList lingue = ElencoLingue(state);
    for (int colore = 1; colore <= 4; ++colore) {
        const std::optional<Nomi> attuali = nomiPredefiniti(state, state.LinguaCorrente, colore);
        if (!attuali)
            continue;
        QList<Nomi> conosciuti;
        Nomi italiani;
        for (int f = 0; f < 4; ++f)
            italiani[size_t(f)] = QString::fromLatin1(RigheColori[colore][f + 1]);
        conosciuti.append(italiani);
        for (const QString &lingua : lingue)
            if (const std::optional<Nomi> n = nomiPredefiniti(state, lingua, colore))
                conosciuti.append(*n);
        // Matched by name, not by row: a teacher may have moved a colour to another row.
        for (auto &riga : tabella) {
            const Nomi nomi{riga[1], riga[2], riga[3], riga[4]};
            if (conosciuti.contains(nomi))
                for (int f = 0; f < 4; ++f)
                    riga[size_t(f) + 1] = (*attuali)[size_t(f)];
        }
    }
    return tabella;
}

void ImpostaPredefiniti(Profilo &p)
{
    const auto row5 = p.TabellaColori[5];
    p = Profilo();
    p.TabellaColori[5] = row5;
}

QByteArray ProfiloInBytes(const Profilo &p)
{
    using namespace RecordFormat;
    QStringList l;
    l << number(p.Riservato1) << number(p.Riservato2) << flag(p.Riservato3)
      << flag(p.Riservato4) << flag(p.Riservato5) << text(p.Riservato6) << number(p.Riservato7)
      << flag(p.Suoni) << flag(p.CursoreSistema) << number(p.ModoInput)
      << number(p.VelocitaScansione);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            l << text(p.TabellaColori[r][c]);
    l << number(qint64(p.ColoreFisso)) << text(p.TipoCarattere) << text(p.NomeFont)
      << text(p.FontNormale) << number(p.DimensioneFont) << number(qint64(p.ColoreFont))
      << number(qint64(p.ColoreBottoni)) << flag(p.ColoriVari)
      << number(qint64(p.ColoreSelezione)) << number(qint64(p.SfondoTesto))
      << flag(p.PassaggioLivelli) << flag(p.TieniTraccia) << QString() << QString();
    QByteArray out;
    for (const QString &line : l) {
        out += CodePage::encode(line);
        out += "\r\n";
    }
    return out;
}

namespace {

struct Reader
{
    RecordReader in;
    bool ok = true;

    void integer(qint16 &f)
    {
        qint64 v = 0;
        if (!ok || !in.readInteger(&v) || v < std::numeric_limits<qint16>::min() ||
            v > std::numeric_limits<qint16>::max()) {
            ok = false;
            return;
        }
        f = qint16(v);
    }
    // A colour must fit the 32-bit code it is applied as, signed or not.
    void colour(double &f)
    {
        qint64 v = 0;
        if (!ok || !in.readInteger(&v) || v < std::numeric_limits<qint32>::min() ||
            v > std::numeric_limits<quint32>::max()) {
            ok = false;
            return;
        }
        f = double(v);
    }
    void text(QString &f)
    {
        if (ok && !in.readText(&f))
            ok = false;
    }
    // True exactly when the first character is an upper-case T.
    void flag(bool &f)
    {
        QString s;
        if (!ok || !in.readText(&s)) {
            ok = false;
            return;
        }
        f = s.startsWith(QLatin1Char('T'));
    }
};

// Colour codes as the program writes them: RGB in the low 24 bits, or a system colour with the
// top bit set. Anything between has no colour meaning.
bool coloreSensato(double code)
{
    return code <= 0xFFFFFF || quint32(qint64(code)) & 0x80000000u;
}

// Values the program itself never writes would leave a pupil with no way in (an input mode
// no control answers, a scan too fast to follow), so they count as damage.
bool valoriSensati(const Profilo &p)
{
    static const QStringList tipi = {QStringLiteral("minuscolo"), QStringLiteral("maiuscolo"),
                                     QStringLiteral("corsivo")};
    return p.ModoInput >= 0 && p.ModoInput <= 3 && p.VelocitaScansione >= 4 &&
           p.VelocitaScansione <= 60 && p.DimensioneFont >= 1 && tipi.contains(p.TipoCarattere) &&
           coloreSensato(p.ColoreFisso) && coloreSensato(p.ColoreFont) &&
           coloreSensato(p.ColoreBottoni) && coloreSensato(p.ColoreSelezione) &&
           coloreSensato(p.SfondoTesto);
}

// Moves a profile that cannot be used out of the way of the next save, under a name no
// earlier one took, so a teacher can still recover it by hand. Empty when it could not be moved.
QString mettiDaParte(const QString &path, const QString &motivo)
{
    for (int n = 1; n <= 999; ++n) {
        QString aside = path + QLatin1Char('.') + motivo;
        if (n > 1)
            aside += QLatin1Char('.') + QString::number(n);
        switch (StoredFile::renameToNew(path, aside)) {
        case StoredFile::Move::Done:
            return aside;
        case StoredFile::Move::Taken:
            continue;
        case StoredFile::Move::Failed:
            return QString();
        }
    }
    return QString();
}

} // namespace

bool ProfiloDaBytes(const QByteArray &bytes, Profilo *out)
{
    Profilo p = *out;
    Reader r{RecordReader(bytes)};
    r.integer(p.Riservato1);
    r.integer(p.Riservato2);
    r.flag(p.Riservato3);
    r.flag(p.Riservato4);
    r.flag(p.Riservato5);
    r.text(p.Riservato6);
    r.integer(p.Riservato7);
    r.flag(p.Suoni);
    r.flag(p.CursoreSistema);
    r.integer(p.ModoInput);
    r.integer(p.VelocitaScansione);
    for (int row = 0; row < 5; ++row)
        for (int c = 0; c < 5; ++c)
            r.text(p.TabellaColori[row][c]);
    r.colour(p.ColoreFisso);
    r.text(p.TipoCarattere);
    r.text(p.NomeFont);
    r.text(p.FontNormale);
    r.integer(p.DimensioneFont);
    r.colour(p.ColoreFont);
    r.colour(p.ColoreBottoni);
    r.flag(p.ColoriVari);
    r.colour(p.ColoreSelezione);
    r.colour(p.SfondoTesto);
    r.flag(p.PassaggioLivelli);
    r.flag(p.TieniTraccia);
    QString discard;
    r.text(discard); // lines 49 and 50 must be there, though nothing is kept of them
    r.text(discard);
    if (!r.ok || !valoriSensati(p))
        return false;
    *out = p;
    return true;
}

bool SalvaProfilo(AppState &state)
{
    const QString path = state.paths.toHost(state.FileProfilo);
    // The two files go together: the access settings first, put back as they were when the
    // profile cannot be written. A pupil who never had any gets no file of defaults.
    const QString accesso = AccessSettings::pathBeside(path);
    QByteArray prima;
    const bool esisteva = QFileInfo::exists(accesso);
    const bool letto = esisteva && StoredFile::read(accesso, 1 << 20, &prima);
    const bool scrivi = esisteva || state.accesso != AccessSettings();
    bool ok = !scrivi || StoredFile::replace(accesso, state.accesso.toBytes());
    // The teacher is told the file that could not be written.
    const QString &nonScritto = ok ? path : accesso;
    if (ok && !StoredFile::replace(path, ProfiloInBytes(state.profilo))) {
        ok = false;
        if (scrivi && letto)
            StoredFile::replace(accesso, prima);
        else if (scrivi && !esisteva)
            QFile::remove(accesso);
    }
    if (!ok) {
        QString msg = MLSGetString(state, QStringLiteral("0164"));
        if (msg.isEmpty())
            msg = QStringLiteral("Impossibile salvare le impostazioni di %1.");
        state.dialogs->message(nullptr, msg.arg(state.NomeUtente) + QStringLiteral("\r\n") + nonScritto,
                               QString(), Dialogs::Icon::Warning);
    }
    return ok;
}

void CaricaProfilo(AppState &state)
{
    const QString path = state.paths.toHost(state.FileProfilo);
    QByteArray accesso;
    state.accesso = !state.FileProfilo.isEmpty() &&
                            StoredFile::read(AccessSettings::pathBeside(path), 1 << 20, &accesso)
                        ? AccessSettings::fromBytes(accesso)
                        : AccessSettings();
    const QFileInfo info(path);
    // A profile is 50 short lines; anything far larger is not one of ours.
    constexpr qint64 limite = 1 << 20;
    QByteArray bytes;
    const bool letto = StoredFile::read(path, limite, &bytes);
    if (letto && ProfiloDaBytes(bytes, &state.profilo))
        return;
    ImpostaPredefiniti(state.profilo);
    if (!letto && !info.exists())
        return;
    const bool danneggiato = letto || (info.isFile() && info.size() > limite);
    const QString aside =
        mettiDaParte(path, danneggiato ? QStringLiteral("danneggiato") : QStringLiteral("illeggibile"));
    QString msg = MLSGetString(state, danneggiato ? QStringLiteral("0168") : QStringLiteral("0169"));
    if (msg.isEmpty())
        msg = danneggiato ? QStringLiteral("Le impostazioni di %1 erano danneggiate: si usano quelle "
                                           "predefinite. Il file danneggiato è conservato come:")
                          : QStringLiteral("Impossibile leggere le impostazioni di %1: si usano quelle "
                                           "predefinite. Il file è conservato come:");
    state.dialogs->message(nullptr,
                           msg.arg(state.NomeUtente) + QStringLiteral("\r\n") +
                               (aside.isEmpty() ? path : aside),
                           QString(), Dialogs::Icon::Warning);
}
