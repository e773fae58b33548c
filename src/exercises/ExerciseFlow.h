#pragma once

#include "core/History.h"

#include <functional>

class Registro;

// How the switches reached an answer: highlight moves and full loops since the last choice.
struct AnswerScan
{
    int steps = 0;
    int loops = 0;
};

// One exercise window's runs, whatever the exercise: the counters, the level and its passage,
// the reward cadence, the log rows, and the phase that the mouse and the switches both read.
// Windows render it; none of it is kept in a widget.
class ExerciseFlow
{
public:
    enum class Phase {
        Preparing, // a new exercise is being made: every answer is dropped
        Answering, // the answers can be chosen
        Answered,  // a right answer waits for "next"; only "next" is live
        Over,      // the exercise is complete; only "next" (a new exercise) is live
    };
    struct Rules
    {
        int levels = 1;
        int promotion = 7;   // net score (right − wrong) that moves a level up
        int rewardEvery = 0; // right answers between rewards; 0 for none
    };
    static constexpr int DemotionErrors = 5;
    // The counters are 16-bit in the stored log.
    static constexpr int MaxCount = 32767;

    using ScanCount = AnswerScan;
    // A steady clock in milliseconds; answers are timed against it.
    using Clock = std::function<qint64()>;
    // Each logged row, with the answers given in it, for the history of runs.
    using RowSink = std::function<void(History::Run)>;

    ExerciseFlow(const Rules &rules, Registro &log);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setRowSink(RowSink sink) { m_sink = std::move(sink); }

    const Rules &rules() const { return m_rules; }
    int level() const { return m_level; }
    int rightAnswers() const { return m_right; }
    int wrongAnswers() const { return m_wrong; }
    Phase phase() const { return m_phase; }

    // The window is shown again: level 1, counters at 0, the reward cadence kept.
    void start();
    // Leaving the exercise: the run's last row.
    void leave();
    // The thresholds of automatic passage, checked before each new exercise: five errors take a
    // level down, the promotion score one up; a change logs the level left. True on a change.
    bool applyThresholds();
    // A level chosen from the menu, even the current one: the run so far is logged and the level
    // starts afresh. False (and nothing done) for a level the exercise does not have.
    bool chooseLevel(int level);

    void preparing() { m_phase = Phase::Preparing; }
    // The exercise is on screen: answers are timed from here.
    void ready();
    void over() { m_phase = Phase::Over; }
    bool answering() const { return m_phase == Phase::Answering; }
    // "Next" is live once the exercise waits for it.
    bool waitingForNext() const { return m_phase == Phase::Answered || m_phase == Phase::Over; }

    // A right answer, counted. waitForNext: the exercise then waits for "next". True when a
    // reward is due.
    bool right(bool waitForNext, ScanCount scan = {});
    void wrong(ScanCount scan = {});

    // Tests and benchmarks start a scenario somewhere in a run.
    void setForTest(int level, int right, int wrong);

private:
    void logRow();
    void setLevel(int level);
    void noteAnswer(bool right, ScanCount scan);

    Rules m_rules;
    Registro &m_log;
    int m_level = 1;
    int m_right = 0;
    int m_wrong = 0;
    int m_sinceReward = 0;
    Phase m_phase = Phase::Preparing;
    Clock m_clock;
    RowSink m_sink;
    qint64 m_timedFrom = 0; // the exercise's appearance, or the answer before in the same one
    QList<History::Answer> m_answers;
};

// Each exercise's numbers: levels, the net score that moves a level up, the reward cadence.
namespace ExerciseRules {
inline constexpr ExerciseFlow::Rules VeroFalso{6, 7, 10};     // FormEs1
inline constexpr ExerciseFlow::Rules UgualeDiverso{3, 7, 10}; // FormEs2
inline constexpr ExerciseFlow::Rules Insiemi{4, 20, 0};       // FormEs5
inline constexpr ExerciseFlow::Rules Differenze{4, 12, 0};    // FormEs8
inline constexpr ExerciseFlow::Rules Griglie{5, 18, 0};       // FormEs6, FormEs7
} // namespace ExerciseRules
