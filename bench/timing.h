#ifndef TIMING_H
#define TIMING_H

// Clocks and medians shared by the measurements.

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

inline double median(std::vector<double> values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

inline double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return msSince(timer);
}

// Per-call times of work in microseconds, run in reps batches of count calls.
inline std::vector<double> perCallUs(int reps, int count, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < reps; ++i)
        times.push_back(timeMs([&] {
                            for (int j = 0; j < count; ++j)
                                work();
                        })
                        * 1000 / count);
    return times;
}

#endif // TIMING_H
