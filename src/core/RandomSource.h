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
