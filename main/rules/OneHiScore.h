// SPDX-License-Identifier: GPL-3.0-or-later
// One records entry: a finished game, ranked within its category (range and category code).
#pragma once

#include <QString>

#include "rules/DateTime.h"

struct OneHiScore {
    // "NewRes" marks an entry still waiting for its player's name.
    QString Name;
    qint32 MinValue = 0;
    qint32 MaxValue = 0;
    qint32 Category = 0;
    qint32 Score = 0;
    TDateTime Date = 0;
    TDateTime Duration = 0;
    qint32 Answers = 0;
    // -1 in old files: shown as "-".
    qint32 Errors = 0;
};
