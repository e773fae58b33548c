#pragma once

// How a pupil's switches are read and how automatic scanning paces itself. Every field at its
// default leaves scanning as it always was.
struct SwitchTiming
{
    int acceptanceMs = 0;       // a press counts only when held this long (0..2000)
    int repeatGuardMs = 0;      // a press this soon after the last release is ignored (0..2000)
    int pauseAfterChoiceMs = 0; // automatic scanning waits this much longer after a choice (0..5000)
    int firstItemPercent = 100; // the first target stays lit this much of a step (100..300)
    int scanLoops = 0;          // full loops with no choice before automatic scanning stops (0: never)
    bool holdToScan = false;    // one switch: the highlight moves while it is held, release chooses

    bool operator==(const SwitchTiming &) const = default;
    // The same with every field brought into its range (values come from a file anyone can edit).
    SwitchTiming limited() const;
};
