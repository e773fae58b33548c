#pragma once

#include "core/RandomSource.h"

#include <QList>
#include <algorithm>

// Gives the listed values in order, then repeats the last one (0 when none were given).
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<double> values = {}) : m_values(std::move(values)) {}
    void push(double v) { m_values.append(v); }
    double r() override
    {
        if (m_values.isEmpty())
            return 0.0;
        const double v = m_values.at(std::min<qsizetype>(m_next, m_values.size() - 1));
        ++m_next;
        return v;
    }
    int drawn() const { return m_next; }

private:
    QList<double> m_values;
    int m_next = 0;
};
