// SPDX-License-Identifier: GPL-3.0-or-later
// The one-page A4 report of the progress window, for a player or for the class: the title, the
// lines saying what was chosen, the score chart and the table. Printed or sent as a PDF file.
#pragma once

#include <QString>
#include <QStringList>

#include "Progress/rules/ProgressSummary.h"

struct ProgressReport {
    QString title;
    // What was chosen: player, exercise, period, the day it was made.
    QStringList heading;
    const ProgressSummary *summary = nullptr;
    // As for showProgressChart: empty for one line per player.
    QString lineName;
    QString chartTitle;
};

// Throws Error naming the file when it cannot be written.
void writeProgressReport(const QString &path, const ProgressReport &report);
