// Arbitrary bytes as the recorded language choice (the user's copy, which wins over the program
// folder's). The language chosen always has its texts: the one recorded when it has them, else the
// first that has. A choice is recorded only when none was, and then reads back; a recorded one,
// usable or not, is left as it was.
#include "FuzzSupport.h"

#include "lang/LanguageState.h"
#include "lang/modLanguageSupport.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using fuzz::check;

const QString setting = QStringLiteral("C:\\LangSetting.ini");

struct Setup : fuzz::Install {
    LanguageState state{paths, QStringLiteral("C:\\")};
    const QByteArray file = QFile::encodeName(scratch.path("C/LangSetting.ini"));
    const QByteArray strayCopy =
        QFile::encodeName(scratch.path("programma/lgnvorbello/LangSetting.ini"));

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
    const QByteArrayView bytes(data, qsizetype(size));
    const qint64 written = s.scratch.writeNative(s.file, bytes);

    const QString recorded = s.recorded();
    const QString chosen = LinguaImpostata(s.state);
    check(chosen == recorded ? LinguaUtilizzabile(s.state, chosen)
                             : chosen == "English" && !LinguaUtilizzabile(s.state, recorded));

    struct stat st;
    check(::stat(s.file.constData(), &st) == 0);
    // Left as it was: a save would have put a new file with the present time in its place.
    if (!recorded.isEmpty())
        check(qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec == written &&
              st.st_size == bytes.size());
    // Past the large-file limit a value reads back only when quoted, which writing does not do.
    else if (st.st_size <= IniStore::LimiteFilePiccolo)
        check(s.recorded() == chosen);
    check(::access(s.strayCopy.constData(), F_OK) != 0);
    s.state.LinguaCorrente.clear();
    return 0;
}
