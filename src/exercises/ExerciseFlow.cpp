#include "exercises/ExerciseFlow.h"

#include "core/Registro.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {
qint64 steadyMs()
{
    static QElapsedTimer since;
    if (!since.isValid())
        since.start();
    return since.elapsed();
}
} // namespace

ExerciseFlow::ExerciseFlow(const Rules &rules, Registro &log)
    : m_rules(rules), m_log(log), m_clock(steadyMs)
{
}

void ExerciseFlow::ready()
{
    m_phase = Phase::Answering;
    m_timedFrom = m_clock();
}

void ExerciseFlow::noteAnswer(bool right, ScanCount scan)
{
    const qint64 now = m_clock();
    m_answers.append({std::max<qint64>(0, now - m_timedFrom), right, scan.steps, scan.loops});
    // Grids take several choices in one exercise: each is timed from the one before.
    m_timedFrom = now;
}

void ExerciseFlow::start()
{
    m_level = 1;
    m_right = 0;
    m_wrong = 0;
    m_answers.clear();
}

void ExerciseFlow::leave()
{
    logRow();
}

bool ExerciseFlow::applyThresholds()
{
    const int before = m_level;
    if (m_wrong >= DemotionErrors && m_level > 1)
        setLevel(m_level - 1);
    if (m_right - m_wrong >= m_rules.promotion && m_level < m_rules.levels)
        setLevel(m_level + 1);
    return m_level != before;
}

bool ExerciseFlow::chooseLevel(int level)
{
    if (level < 1 || level > m_rules.levels)
        return false;
    setLevel(level);
    return true;
}

bool ExerciseFlow::right(bool waitForNext, ScanCount scan)
{
    noteAnswer(true, scan);
    m_right = std::min(m_right + 1, MaxCount);
    if (waitForNext)
        m_phase = Phase::Answered;
    if (m_rules.rewardEvery <= 0 || ++m_sinceReward < m_rules.rewardEvery)
        return false;
    m_sinceReward = 0;
    return true;
}

void ExerciseFlow::wrong(ScanCount scan)
{
    noteAnswer(false, scan);
    m_wrong = std::min(m_wrong + 1, MaxCount);
}

void ExerciseFlow::setForTest(int level, int right, int wrong)
{
    m_level = level;
    m_right = right;
    m_wrong = wrong;
}

void ExerciseFlow::logRow()
{
    m_log.scriviRisultato(m_level, m_right, m_wrong);
    // Past the log's last row the run still counts for the history, which has no such limit.
    if (m_sink) {
        History::Run run;
        run.level = m_level;
        run.right = m_right;
        run.wrong = m_wrong;
        run.answers = std::move(m_answers);
        m_sink(std::move(run));
    }
    m_answers.clear();
}

void ExerciseFlow::setLevel(int level)
{
    logRow();
    m_right = 0;
    m_wrong = 0;
    m_level = level;
}
