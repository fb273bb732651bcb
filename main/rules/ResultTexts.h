// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of a row of the records table and of the history, column by column, for a locale.
// Times of day follow the locale's long time format; a duration is always counted in 24 hours
// and without a day-half marker, so a game of two minutes is never "12:02 AM".
#pragma once

#include <QLocale>
#include <QStringList>

#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"

// Place as "1)", name, score, date, duration, right answers, mean time per right answer as
// "ss.zzz" ("-" without right answers), errors ("-" for an unknown count, -1 in old files).
QStringList recordsRowTexts(const OneHiScore &entry, std::size_t place, const QLocale &locale);
// Number in the list as "1)", score, date, duration, description.
QStringList historyRowTexts(const OneHistory &entry, std::size_t number, const QLocale &locale);
