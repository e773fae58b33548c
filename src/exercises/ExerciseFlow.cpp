#include "exercises/ExerciseFlow.h"

#include "core/Registro.h"

#include <algorithm>

ExerciseFlow::ExerciseFlow(const Rules &rules, Registro &log) : m_rules(rules), m_log(log)
{
}

void ExerciseFlow::start()
{
    m_level = 1;
    m_right = 0;
    m_wrong = 0;
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

bool ExerciseFlow::right(bool waitForNext)
{
    m_right = std::min(m_right + 1, MaxCount);
    if (waitForNext)
        m_phase = Phase::Answered;
    if (m_rules.rewardEvery <= 0 || ++m_sinceReward < m_rules.rewardEvery)
        return false;
    m_sinceReward = 0;
    return true;
}

void ExerciseFlow::wrong()
{
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
}

void ExerciseFlow::setLevel(int level)
{
    logRow();
    m_right = 0;
    m_wrong = 0;
    m_level = level;
}
