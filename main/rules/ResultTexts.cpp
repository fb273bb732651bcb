// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/ResultTexts.h"

namespace {

constexpr qint32 UnknownErrors = -1;
const QString NoValue = QStringLiteral("-");

bool localeWritesHourZero(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    return format.contains(QLatin1String("HH")) || format.contains(QLatin1String("hh"));
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString placeText(std::size_t number)
{
    return QString::number(number) + QLatin1Char(')');
}

QString durationText(TDateTime duration, const QLocale &locale)
{
    const QTime time = timeOfDay(duration);
    const QChar separator = timeSeparator(locale);
    const QString hour =
        localeWritesHourZero(locale) ? twoDigits(time.hour()) : QString::number(time.hour());
    return hour + separator + twoDigits(time.minute()) + separator + twoDigits(time.second());
}

QString averageAnswerText(TDateTime duration, qint32 answers)
{
    return answers == 0 ? NoValue : secondsMillisText(duration / answers);
}

QString errorsText(qint32 errors)
{
    return errors == UnknownErrors ? NoValue : QString::number(errors);
}

} // namespace

QStringList recordsRowTexts(const OneHiScore &entry, std::size_t place, const QLocale &locale)
{
    return {placeText(place),
            entry.Name,
            QString::number(entry.Score),
            dateText(entry.Date, locale),
            durationText(entry.Duration, locale),
            QString::number(entry.Answers),
            averageAnswerText(entry.Duration, entry.Answers),
            errorsText(entry.Errors)};
}

QStringList historyRowTexts(const OneHistory &entry, std::size_t number, const QLocale &locale)
{
    return {placeText(number), QString::number(entry.Score), dateText(entry.Date, locale),
            durationText(entry.Duration, locale), entry.Description};
}
