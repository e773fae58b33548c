#pragma once

#include <QList>
#include <random>

// The program's one source of chance: r() is uniform in [0, 1). Tests script the draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double r() = 0;
    // Int(r × n): an index in 0..n-1 (0 when n <= 0).
    int below(int n);
};

class ClockRandom final : public RandomSource
{
public:
    ClockRandom(); // seeded from the clock
    explicit ClockRandom(quint64 seed) : m_engine(seed) {}
    double r() override;

private:
    std::mt19937_64 m_engine;
};

// Gives the listed values in order, then repeats the last one (0 when none were given).
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<double> values = {}) : m_values(std::move(values)) {}
    void push(double v) { m_values.append(v); }
    double r() override;
    int drawn() const { return m_next; }

private:
    QList<double> m_values;
    int m_next = 0;
};
