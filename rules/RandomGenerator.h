// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one random generator. Random(n) yields a uniform integer from 0 to n - 1 and
// reads n as an unsigned 32-bit count, so Random(0) yields 0.
#pragma once

#include <QtGlobal>

#include <random>

class RandomGenerator {
public:
    void seed(quint32 value) { m_engine.seed(value); }
    qint32 next(qint32 n);

private:
    std::mt19937 m_engine;
};
