#include "exercises/TestiFrase.h"

#include "core/AppState.h"
#include "core/Modulo1.h"
#include "core/Profilo.h"
#include "lang/modLanguageSupport.h"

#include <algorithm>

TestiFrase::TestiFrase(AppState &state)
    : m_frasi(state.Frasi), m_chiave([&state](const QString &key) { return MLSGetString(state, key); })
{
    const auto colori = TabellaColoriMostrata(state);
    for (int r = 0; r < 5; ++r)
        m_aggettivi[r] = colori[r][3];
}

TestiFrase::TestiFrase(std::array<QString, 61> frasi, std::function<QString(const QString &)> chiave,
                       std::array<QString, 5> aggettivi)
    : m_frasi(std::move(frasi)), m_chiave(std::move(chiave)), m_aggettivi(std::move(aggettivi))
{
}

Pezzo TestiFrase::frase(int i) const
{
    i = std::clamp(i, 0, 60);
    const int key = VoceDiFrasi(i).chiave;
    return {key ? ChiaveNumerata(key) : QString(), 0, m_frasi[i]};
}

Pezzo TestiFrase::chiave(int key) const
{
    const QString k = ChiaveNumerata(key);
    auto it = m_lette.constFind(key);
    if (it == m_lette.constEnd())
        it = m_lette.insert(key, m_chiave ? m_chiave(k) : QString());
    return {k, 0, *it};
}

Pezzo TestiFrase::chiave(int key, const char *dopo) const
{
    Pezzo p = chiave(key);
    p.testo += QString::fromLatin1(dopo);
    return p;
}

Pezzo TestiFrase::aggettivo(int riga) const
{
    riga = std::clamp(riga, 0, 4);
    return {QString(), riga, m_aggettivi[riga]};
}
