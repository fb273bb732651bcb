// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the progress table, one row per player, as the window and its PDF report show
// them.
#pragma once

#include <QStringList>

#include "Progress/rules/ProgressSummary.h"

class QLocale;

QStringList progressTableHeaders();
QStringList progressTableRow(const PlayerProgress &player, const QLocale &locale);
