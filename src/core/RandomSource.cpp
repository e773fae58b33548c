#include "core/RandomSource.h"

#include <QDateTime>
#include <algorithm>

int RandomSource::below(int n)
{
    if (n <= 0)
        return 0;
    // Clamped so that a faulty source returning 1.0 cannot index past the end.
    return std::clamp(static_cast<int>(r() * n), 0, n - 1);
}

ClockRandom::ClockRandom()
    : m_engine(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) ^
               static_cast<quint64>(std::random_device{}()))
{
}

double ClockRandom::r()
{
    // 53 random bits scaled into [0, 1): never 1.0, unlike generate_canonical on some libraries.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}
