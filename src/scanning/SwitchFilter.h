#pragma once

#include "scanning/SwitchTiming.h"

#include <QHash>
#include <optional>

// Decides from the times of presses and releases which switch presses count: a brush shorter
// than the acceptance time does not, nor does a press that follows a release within the repeat
// guard (a tremor's bounces). Times are milliseconds from any fixed origin.
class SwitchFilter
{
public:
    enum class Release {
        Counts,   // the press counts: act on it
        TooShort, // its press was passed on but is not a choice: undo what the press did
        Ignored,  // its press was ignored too
    };

    void setTiming(const SwitchTiming &timing) { m_timing = timing.limited(); reset(); }
    const SwitchTiming &timing() const { return m_timing; }

    // True when the press is to be passed on.
    bool press(int key, qint64 ms);
    Release release(int key, qint64 ms);
    void reset();

private:
    SwitchTiming m_timing;
    QHash<int, qint64> m_down; // keys whose press was passed on, with its time
    std::optional<qint64> m_lastRelease;
};
