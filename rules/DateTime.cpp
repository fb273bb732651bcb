// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/DateTime.h"

#include <QLocale>

#include <cmath>

namespace {

const QDate &epoch()
{
    static const QDate day(1899, 12, 30);
    return day;
}

// Beyond about the year 9999 either way no calendar date is shown; files may hold anything.
constexpr double ShowableDays = 2958466;

// Splits a date-time into whole days and milliseconds of the day, the way the fraction is
// read for a negative value too: the time of day is |fraction|. A value that is no date (NaN,
// an infinity, a date far beyond any calendar) splits as the epoch.
void split(TDateTime value, qint64 &days, int &msecs)
{
    if (!isShowableDateTime(value))
        value = 0;
    const double whole = std::trunc(value);
    auto ms = static_cast<qint64>(std::llround(std::fabs(value - whole) * MSecsPerDay));
    days = static_cast<qint64>(whole);
    constexpr qint64 DayMs = 86400000;
    if (ms >= DayMs) {
        ms -= DayMs;
        days += value < 0 ? -1 : 1;
    }
    msecs = static_cast<int>(ms);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The format without its quoted literals ('' being a quote itself), so that a literal letter
// is never read as a field.
QString fieldsOf(const QString &format)
{
    QString fields;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted)
            fields += c;
    }
    return fields;
}

const QString InvalidDateText = QStringLiteral("?");

} // namespace

bool isShowableDateTime(TDateTime value)
{
    return std::isfinite(value) && std::fabs(value) < ShowableDays;
}

TDateTime toDateTime(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const qint64 days = epoch().daysTo(local.date());
    return static_cast<double>(days) + local.time().msecsSinceStartOfDay() / MSecsPerDay;
}

QDateTime fromDateTime(TDateTime value)
{
    qint64 days = 0;
    int msecs = 0;
    split(value, days, msecs);
    return QDateTime(epoch().addDays(days), QTime::fromMSecsSinceStartOfDay(msecs));
}

QTime timeOfDay(TDateTime value)
{
    qint64 days = 0;
    int msecs = 0;
    split(value, days, msecs);
    return QTime::fromMSecsSinceStartOfDay(msecs);
}

QString minutesSecondsText(TDateTime duration)
{
    const QTime t = timeOfDay(duration);
    return twoDigits(t.minute()) + QLatin1Char('.') + twoDigits(t.second());
}

QChar timeSeparator(const QLocale &locale)
{
    const QString format = fieldsOf(locale.timeFormat(QLocale::LongFormat));
    for (const QChar c : format) {
        if (!c.isLetter() && !c.isSpace())
            return c;
    }
    return u':';
}

QString clockText(TDateTime duration, const QLocale &locale)
{
    const QTime t = timeOfDay(duration);
    const QChar sep = timeSeparator(locale);
    return twoDigits(t.hour()) + sep + twoDigits(t.minute()) + sep + twoDigits(t.second());
}

QString secondsMillisText(TDateTime duration)
{
    const QTime t = timeOfDay(duration);
    return twoDigits(t.second()) + QLatin1Char('.') +
           QStringLiteral("%1").arg(t.msec(), 3, 10, QLatin1Char('0'));
}

QString longTimeText(TDateTime value, const QLocale &locale)
{
    return longTimeText(value, locale.timeFormat(QLocale::LongFormat), locale);
}

QString longTimeText(TDateTime value, const QString &longFormat, const QLocale &locale)
{
    const QString format = fieldsOf(longFormat);
    const bool twelveHour = format.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    const bool leadingZero =
        format.contains(QLatin1String("HH")) || format.contains(QLatin1String("hh"));
    const QTime t = timeOfDay(value);
    int hour = t.hour();
    if (twelveHour) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    const QChar sep = timeSeparator(locale);
    QString text = leadingZero ? twoDigits(hour) : QString::number(hour);
    text += sep + twoDigits(t.minute()) + sep + twoDigits(t.second());
    if (twelveHour)
        text += QLatin1Char(' ') + (t.hour() < 12 ? locale.amText() : locale.pmText());
    return text;
}

QString isoMomentText(TDateTime value)
{
    if (!isShowableDateTime(value))
        return {};
    qint64 days = 0;
    int msecs = 0;
    split(value, days, msecs);
    const QDate d = epoch().addDays(days);
    const QTime t = QTime::fromMSecsSinceStartOfDay(msecs);
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(twoDigits(d.month()), twoDigits(d.day()), twoDigits(t.hour()), twoDigits(t.minute()),
             twoDigits(t.second()));
}

QString dateText(TDateTime value, const QLocale &locale)
{
    if (!isShowableDateTime(value))
        return InvalidDateText;
    const QDateTime moment = fromDateTime(value);
    const QDate d = moment.date();
    QString text = twoDigits(d.day()) + QLatin1Char('-') + twoDigits(d.month()) + QLatin1Char('-') +
                   QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    if (moment.time().msecsSinceStartOfDay() / 1000 != 0)
        text += QLatin1Char(' ') + longTimeText(value, locale);
    return text;
}
