// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up executables report their own peak resident size when they end: a parent's
// accounting of a child would also count the memory of the parent it was forked from.
#pragma once

#include <QFile>

#include <cstdio>

// Prints "peak-kb N" with the VmHWM of this process.
inline void printPeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            const QByteArray kilobytes = line.mid(6).trimmed().split(' ').value(0);
            std::printf("peak-kb %s\n", kilobytes.constData());
            std::fflush(stdout);
        }
    }
}
