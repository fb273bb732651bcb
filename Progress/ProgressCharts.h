// SPDX-License-Identifier: GPL-3.0-or-later
// The two charts of the progress window (and of its PDF report): score per game and right
// answers per minute over time, one line per player or one line for all.
#pragma once

#include <QString>

#include <vector>

#include "Progress/rules/ProgressSummary.h"

class QChart;

enum class ProgressMeasure { Score, AnswersPerMinute };

// Replaces the chart's lines and axes. With `lineName` empty there is one line per player, each
// named after the player; otherwise one line of that name.
void showProgressChart(QChart &chart, const std::vector<ProgressPoint> &points,
                       ProgressMeasure measure, const QString &lineName);
