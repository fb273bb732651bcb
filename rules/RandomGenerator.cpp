// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RandomGenerator.h"

qint32 RandomGenerator::next(qint32 n)
{
    // Multiply-high maps the 32-bit draw onto [0, n) without a division.
    const quint64 draw = m_engine();
    return static_cast<qint32>((draw * static_cast<quint32>(n)) >> 32);
}
