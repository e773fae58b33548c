// Arbitrary bytes as a pupil's profile file. Loading gives either every default (and keeps the
// damaged file aside, and says so) or one whole record from the file, which stays in place: never
// a field left over from the profile held before.
#include "FuzzSupport.h"
#include "RecordingDialogs.h"

#include "core/AppState.h"
#include "core/Profilo.h"

#include <QFile>

#include <unistd.h>

namespace {

using fuzz::check;

// A profile differing from variant(m) in every field, so that a field loading leaves alone shows.
Profilo variant(int n)
{
    Profilo p;
    const QString s = QString::number(n);
    p.Riservato1 = p.Riservato2 = p.Riservato7 = p.ModoInput = p.VelocitaScansione =
        p.DimensioneFont = qint16(n);
    p.Riservato3 = p.Riservato4 = p.Riservato5 = p.Suoni = p.CursoreSistema = p.ColoriVari =
        p.PassaggioLivelli = p.TieniTraccia = n % 2;
    p.Riservato6 = p.TipoCarattere = p.NomeFont = p.FontNormale = s;
    for (auto &row : p.TabellaColori)
        row.fill(s);
    p.ColoreFisso = p.ColoreFont = p.ColoreBottoni = p.ColoreSelezione = p.SfondoTesto = n;
    return p;
}

struct Setup : fuzz::Install {
    AppState state{paths};
    RecordingDialogs dialogs;
    // Kept encoded: each input writes, looks for and removes them.
    const QByteArray file = QFile::encodeName(scratch.path("C/Prova.ini"));
    const QByteArray aside = file + ".danneggiato";

    Setup()
    {
        scratch.write("programma/lgnvorbello/Prova.lng", "[Strings]\r\n0168=%1\r\n");
        state.LinguaCorrente = QStringLiteral("Prova");
        state.dialogs = &dialogs;
        state.NomeUtente = QStringLiteral("Prova");
        state.FileProfilo = QStringLiteral("C:\\Prova.ini");
    }

    Profilo load(QByteArrayView bytes, const Profilo &before)
    {
        scratch.writeNative(file, bytes);
        state.profilo = before;
        CaricaProfilo(state);
        return state.profilo;
    }

    // Nothing made for one input outlives it, or libFuzzer takes it for a leak and checks.
    void reset()
    {
        ::unlink(aside.constData());
        dialogs.messages.clear();
        state.profilo = idle;
    }

    const Profilo idle;
    // Made once: making them took longer than loading a profile.
    const Profilo first = variant(1);
    const Profilo second = variant(2);
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Setup s;
    const QByteArray bytes = fuzz::bytes(data, size);
    const Profilo &before = s.first;
    Profilo loaded = s.load(bytes, before);
    loaded.TabellaColori[5] = s.second.TabellaColori[5]; // never stored, so never replaced

    // The same bytes over another profile: whatever loading left alone now differs.
    Profilo record = s.second;
    if (ProfiloDaBytes(bytes, &record)) {
        check(loaded == record && s.dialogs.messages.isEmpty() &&
              ::access(s.aside.constData(), F_OK) != 0);
        // A record the program could write back as it is.
        Profilo reread = before;
        check(ProfiloDaBytes(ProfiloInBytes(record), &reread));
        reread.TabellaColori[5] = record.TabellaColori[5];
        check(reread == record);
    } else {
        ImpostaPredefiniti(record);
        check(loaded == record && ::access(s.file.constData(), F_OK) != 0 &&
              s.dialogs.messages.size() == 1 &&
              fuzz::Scratch::readNative(s.aside, bytes.size()) == bytes);
    }
    s.reset();
    return 0;
}
