// SPDX-License-Identifier: GPL-3.0-or-later
// The helper processes of the tests report what they reached one line at a time, flushed at
// once, so that the test reading them can act at the right moment.
#pragma once

#include <QByteArray>

#include <cstdio>

inline void say(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
