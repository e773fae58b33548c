// Arbitrary bytes as a language file, small or past the large-file limit. Lookups give at most 511
// characters from a small file; a large one is searched without sections, and the same whether
// it is held in memory or searched on disk; a language without texts gives none.
#include "FuzzSupport.h"

#include "lang/LanguageState.h"
#include "lang/modLanguageSupport.h"

namespace {

using fuzz::check;

const QString file = QStringLiteral("\\lgnvorbello\\Prova.lng");

struct Setup {
    fuzz::Scratch scratch;
    Paths paths{scratch.folder("C"), scratch.folder("programma")};
    LanguageState state{paths, QStringLiteral("C:\\")};
    // Searches every file above the large-file limit on disk, as it does files of megabytes.
    LanguageState onDisk{paths, QStringLiteral("C:\\")};

    Setup()
    {
        scratch.folder("programma/lgnvorbello");
        state.LinguaCorrente = onDisk.LinguaCorrente = QStringLiteral("Prova");
        onDisk.ini.setLimiteInMemoria(IniStore::LimiteFilePiccolo);
    }
};

// The first byte is not part of the file: it may pad the file to just below, at or above the
// large-file limit, which inputs seldom grow to by themselves.
QByteArray fileFrom(const uint8_t *data, size_t size)
{
    QByteArray bytes = fuzz::bytes(data + 1, size - 1);
    const qsizetype padded = IniStore::LimiteFilePiccolo - 2 + (data[0] >> 1) % 4;
    if (data[0] & 1 && bytes.size() < padded)
        bytes += '\n' + QByteArray(padded - bytes.size() - 1, ';');
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Setup s;
    if (size == 0)
        return 0;
    const QByteArray bytes = fileFrom(data, size);
    s.scratch.write("programma/lgnvorbello/Prova.lng", bytes);
    // Rewritten within the file system's clock tick, the file may keep its stamp.
    s.state.ini.setCaching(true);
    s.onDisk.ini.setCaching(true);

    const QString text = CodePage::decodeText(bytes);
    const bool large = text.size() > IniStore::LimiteFilePiccolo;
    // Behind a byte-order mark, only the file held in memory is decoded by its mark.
    const bool marked = text.size() != bytes.size();
    fuzz::Names names = fuzz::namesIn(text);
    names.keys.push_back(QStringLiteral("0001"));
    const bool usable = LinguaUtilizzabile(s.state, QStringLiteral("Prova"));

    for (const QString &key : names.keys) {
        const QString value = MLSGetString(s.state, key);
        check(large || value.size() <= 511);
        check(usable || value.isEmpty());
        if (large && !marked)
            check(MLSGetString(s.onDisk, key) == value);
        for (const QString &section : names.sections) {
            const auto other = s.state.ini.LeggiIni(s.paths.programFolder() + file, section, key);
            check(other && (!large || *other == value));
        }
    }
    return 0;
}
