// SPDX-License-Identifier: GPL-3.0-or-later
// Timing helpers for the benchmark: repeated runs, medians and percentiles, and whole child
// processes with their peak resident size.
#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double elapsedMs(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

inline double median(std::vector<double> values)
{
    return percentile(std::move(values), 0.5);
}

// Runs the action `repetitions` times and returns the median in milliseconds.
inline double medianMs(int repetitions, const std::function<void()> &action)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        action();
        times.push_back(elapsedMs(start));
    }
    return median(times);
}

// Runs the actions in turns, one run each per round, and returns each one's median.
inline std::vector<double> medianMsInTurns(int rounds,
                                           const std::vector<std::function<void()>> &actions)
{
    std::vector<std::vector<double>> times(actions.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const auto start = Clock::now();
            actions[i]();
            times[i].push_back(elapsedMs(start));
        }
    }
    std::vector<double> medians;
    for (const std::vector<double> &each : times)
        medians.push_back(median(each));
    return medians;
}

struct ProcessRun {
    double wallMs = 0;
    double peakRssMb = 0;
    int exitCode = -1;
};

// Starts the program with the arguments in the working folder and waits for it.
ProcessRun runProcess(const QString &program, const QStringList &arguments,
                      const QString &workingFolder);
