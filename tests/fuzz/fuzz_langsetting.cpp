// Arbitrary bytes as the recorded language choice (the user's copy, which wins over the program
// folder's). The language chosen always has its texts: the one recorded when it has them, else the
// first that has. A choice is recorded only when none was, and then reads back; a recorded one,
// usable or not, is left as it was.
#include "FuzzSupport.h"

#include "lang/LanguageState.h"
#include "lang/modLanguageSupport.h"

#include <QFile>

namespace {

using fuzz::check;

const QString setting = QStringLiteral("C:\\LangSetting.ini");

struct Setup : fuzz::Install {
    LanguageState state{paths, QStringLiteral("C:\\")};

    Setup()
    {
        // By name, the first has no texts: the first usable one is the second.
        scratch.write("programma/lgnvorbello/Deutsch.lng", "[Altro]\r\n0001=x\r\n");
        scratch.write("programma/lgnvorbello/English.lng", "[Strings]\r\n0001=x\r\n");
        scratch.write("programma/lgnvorbello/Italiano.lng", "[Strings]\r\n0001=x\r\n");
    }

    // What the file records, as the language layer reads it.
    QString recorded()
    {
        return *state.ini.LeggiIni(setting, QStringLiteral("Language"),
                                   QStringLiteral("CurrentLanguage"));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Setup s;
    const QByteArray bytes = fuzz::bytes(data, size);
    s.scratch.write("C/LangSetting.ini", bytes);

    const QString recorded = s.recorded();
    const QString chosen = LinguaImpostata(s.state);
    check(chosen == recorded ? LinguaUtilizzabile(s.state, chosen)
                             : chosen == "English" && !LinguaUtilizzabile(s.state, recorded));

    QFile f(s.scratch.path("C/LangSetting.ini"));
    check(f.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    // Past the large-file limit a value reads back only when quoted, which writing does not do.
    if (!recorded.isEmpty())
        check(f.readAll() == bytes);
    else if (f.size() <= IniStore::LimiteFilePiccolo)
        check(s.recorded() == chosen);
    check(!QFile::exists(s.scratch.path("programma/lgnvorbello/LangSetting.ini")));
    s.state.LinguaCorrente.clear();
    return 0;
}
