// SPDX-License-Identifier: GPL-3.0-or-later
// Date-times are counted as days since 30 December 1899 in local time, the time of day being
// the fraction; durations are differences of such values. The texts below are the ones the
// windows show.
#pragma once

#include <QDateTime>
#include <QString>

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;
constexpr int MinutesPerDay = 1440;

TDateTime toDateTime(const QDateTime &moment);
QDateTime fromDateTime(TDateTime value);

// Hours, minutes, seconds and milliseconds of the fraction of a day, rounded to the millisecond.
QTime timeOfDay(TDateTime value);

// "nn.ss": minutes and seconds of a duration, whole hours dropped.
QString minutesSecondsText(TDateTime duration);
// "hh:nn:ss" with the locale's time separator; whole days dropped.
QString clockText(TDateTime duration, const QLocale &locale);
// "ss.zzz": seconds and milliseconds, minutes and hours dropped.
QString secondsMillisText(TDateTime duration);
// The locale's long time format: hour with a leading zero only when the locale writes one,
// two-digit minutes and seconds, the locale's separator and its day-half marker, no time zone.
QString longTimeText(TDateTime value, const QLocale &locale);
// The same with the long time format given; quoted literals in it are not fields.
QString longTimeText(TDateTime value, const QString &longFormat, const QLocale &locale);
// Whether the value is a date a calendar can show: finite and within about the years 1 to 9999
// either way. Times and durations of other values read as 0.
bool isShowableDateTime(TDateTime value);
// "dd-mm-yyyy", then a blank and the long time unless the time of day is exactly midnight;
// "?" for a value that is no showable date.
QString dateText(TDateTime value, const QLocale &locale);

QChar timeSeparator(const QLocale &locale);

// "yyyy-MM-dd HH:mm:ss", the form spreadsheets read as a moment; empty for a value that is no
// showable date. Made without a time zone: the value already is the local time.
QString isoMomentText(TDateTime value);
