// SPDX-License-Identifier: GPL-3.0-or-later
// One history entry: a finished game as the list of past games shows it.
#pragma once

#include <QString>

#include "rules/DateTime.h"

struct OneHistory {
    QString Name;
    // The drill settings as text, for example "Сложение от 1 до 30".
    QString Description;
    qint32 Score = 0;
    TDateTime Date = 0;
    TDateTime Duration = 0;
    qint32 Answers = 0;
};
