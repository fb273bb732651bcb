// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/Report.h"

#include <cstdio>

QString ms(double value)
{
    return QStringLiteral("%1 ms").arg(value, 0, 'f', value < 10 ? 2 : 1);
}

QString ratio(double value)
{
    return QStringLiteral("%1×").arg(value, 0, 'f', 2);
}

bool Report::print() const
{
    bool allMet = true;
    std::printf("| figure | measured | reference | target | met |\n|---|---|---|---|---|\n");
    for (const ReportRow &row : m_rows) {
        std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(row.figure), qPrintable(row.value),
                    qPrintable(row.reference), qPrintable(row.target), row.met ? "yes" : "NO");
        allMet = allMet && row.met;
    }
    std::fflush(stdout);
    return allMet;
}
