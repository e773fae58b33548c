// Arbitrary bytes as a language file, small or past the large-file limit. Lookups give at most 511
// characters from a small file; a large one is searched without sections, and the same whether
// it is held in memory or searched on disk; a language without texts gives none.
#include "FuzzSupport.h"

#include "lang/LanguageState.h"
#include "lang/modLanguageSupport.h"

namespace {

using fuzz::check;

const QString file = QStringLiteral("\\lgnvorbello\\Prova.lng");

// The large-file limit, lowered: the rule is the same at any size, and a file of the real one
// took as long as a hundred small ones, which left little time for the rest.
constexpr qint64 limite = 1000;

struct Setup : fuzz::Install {
    LanguageState state{paths, QStringLiteral("C:\\")};
    // Searches every file above the large-file limit on disk, as it does files of megabytes.
    LanguageState onDisk{paths, QStringLiteral("C:\\")};

    Setup()
    {
        state.LinguaCorrente = onDisk.LinguaCorrente = QStringLiteral("Prova");
        state.ini.setLimiteFilePiccolo(limite);
        onDisk.ini.setLimiteFilePiccolo(limite);
        onDisk.ini.setLimiteInMemoria(limite);
    }
};

// The first byte is not part of the file. Two of its values pad the file to the large-file limit
// or one byte past it, which inputs seldom reach exactly by themselves.
QByteArray fileFrom(const uint8_t *data, size_t size)
{
    QByteArray bytes = fuzz::bytes(data + 1, size - 1);
    const qsizetype padded = limite + (data[0] & 1);
    if (data[0] >= 0xFE && bytes.size() < padded)
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

    // Behind a byte-order mark, only the file held in memory is decoded by its mark.
    const bool marked = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE");
    const qsizetype length = marked ? CodePage::decodeText(bytes).size() : bytes.size();
    const bool large = length > limite;
    fuzz::Names names = fuzz::namesIn(CodePage::decodeText(bytes.first(qMin(bytes.size(), 4096))));
    names.keys.push_back(QStringLiteral("0001"));
    const bool usable = LinguaUtilizzabile(s.state, QStringLiteral("Prova"));

    const IniStore::Lettore lettore = s.state.ini.lettore(s.paths.programFolder() + file);
    for (const QString &key : names.keys) {
        const QString value = MLSGetString(s.state, key);
        check(large || value.size() <= 511);
        check(usable || value.isEmpty());
        if (large && !marked)
            check(MLSGetString(s.onDisk, key) == value);
        for (const QString &section : names.sections) {
            const QString other = lettore(section, key).value_or(QString());
            check(large ? other == value : other.size() <= 511);
        }
    }
    // Emptied after each input, so that libFuzzer sees no memory held over to the next.
    s.state.ini.setCaching(true);
    s.onDisk.ini.setCaching(true);
    return 0;
}
