// Arbitrary bytes as the recorded language choice. The language chosen always has its texts: the
// one recorded when it has them, else the first that has. A choice is recorded only when none
// was, and then reads back; a recorded one, usable or not, is left as it was.
#include "FuzzSupport.h"

#include "lang/LanguageState.h"
#include "lang/modLanguageSupport.h"

#include <QFile>

namespace {

using fuzz::check;

struct Setup {
    fuzz::Scratch scratch;
    Paths paths{scratch.folder("C"), scratch.folder("programma")};
    LanguageState state{paths, QStringLiteral("C:\\")};

    Setup()
    {
        scratch.folder("programma/lgnvorbello");
        // By name, the first has no texts: the first usable one is the second.
        scratch.write("programma/lgnvorbello/Deutsch.lng", "[Altro]\r\n0001=x\r\n");
        scratch.write("programma/lgnvorbello/English.lng", "[Strings]\r\n0001=x\r\n");
        scratch.write("programma/lgnvorbello/Italiano.lng", "[Strings]\r\n0001=x\r\n");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Setup s;
    const QByteArray bytes = fuzz::bytes(data, size);
    s.scratch.write("programma/lgnvorbello/LangSetting.ini", bytes);
    // Rewritten within the file system's clock tick, the file may keep its stamp.
    s.state.ini.setCaching(true);
    s.state.LinguaCorrente.clear();

    const QString recorded = LinguaRegistrata(s.state);
    const QString chosen = LinguaImpostata(s.state);
    check(LinguaUtilizzabile(s.state, chosen));
    check(chosen == recorded || (!LinguaUtilizzabile(s.state, recorded) && chosen == "English"));

    QFile f(s.scratch.path("programma/lgnvorbello/LangSetting.ini"));
    check(f.open(QIODevice::ReadOnly));
    if (recorded.isEmpty())
        check(LinguaRegistrata(s.state) == chosen);
    else
        check(f.readAll() == bytes);
    check(!QFile::exists(s.scratch.path("C/LangSetting.ini")));
    return 0;
}
