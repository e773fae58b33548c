#pragma once

// Timing for the benchmarks: a callable run `runs` times (given the run's index), in ms.

#include <QElapsedTimer>
#include <algorithm>
#include <utility>
#include <vector>

template <class F> std::pair<double, double> medianWorstMs(F &&f, int runs)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer e;
        e.start();
        f(i);
        t.push_back(e.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return {t[t.size() / 2], t.back()};
}

template <class F> double medianMs(F &&f, int runs)
{
    return medianWorstMs(std::forward<F>(f), runs).first;
}
