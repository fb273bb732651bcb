// The texts of the records and history table that are not plain numbers.
#pragma once

#include <QLocale>
#include <QString>

#include "rules/DateTime.h"

// The time of a duration beyond its whole days, as the locale writes a long time but always
// counted in 24 hours and without a day-half marker: a game of two minutes is never "12:02 AM".
QString durationText(TDateTime duration, const QLocale &locale);
// "ss.zzz" of the mean time per right answer, "-" without right answers.
QString averageAnswerText(TDateTime duration, qint32 answers);
// "-" stands for an unknown count (-1 in old files).
QString errorsText(qint32 errors);
