#include "scanning/SwitchFilter.h"

#include <algorithm>

SwitchTiming SwitchTiming::limited() const
{
    SwitchTiming t = *this;
    t.acceptanceMs = std::clamp(acceptanceMs, 0, 2000);
    t.repeatGuardMs = std::clamp(repeatGuardMs, 0, 2000);
    t.pauseAfterChoiceMs = std::clamp(pauseAfterChoiceMs, 0, 5000);
    t.firstItemPercent = std::clamp(firstItemPercent, 100, 300);
    t.scanLoops = std::clamp(scanLoops, 0, 99);
    return t;
}

bool SwitchFilter::press(int key, qint64 ms)
{
    // A key already down lost its release (the focus went elsewhere while it was held): this
    // press starts afresh rather than be timed from the old one.
    if (m_timing.repeatGuardMs > 0 && m_lastRelease && ms - *m_lastRelease < m_timing.repeatGuardMs)
        return false;
    m_down.insert(key, ms);
    return true;
}

SwitchFilter::Release SwitchFilter::release(int key, qint64 ms)
{
    // Every release starts the guard, a bounce's too: a tremor is filtered until it calms.
    m_lastRelease = ms;
    const auto it = m_down.constFind(key);
    if (it == m_down.constEnd())
        return Release::Ignored;
    const qint64 held = ms - *it;
    m_down.erase(it);
    return held >= m_timing.acceptanceMs ? Release::Counts : Release::TooShort;
}

void SwitchFilter::reset()
{
    m_down.clear();
    m_lastRelease.reset();
}
