// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/ProgressTable.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr double SecondsPerDay = 86400;
constexpr int SecondsPerHour = 3600;
constexpr int SecondsPerMinute = 60;
const QString Missing = QStringLiteral("—");

// Hours are not wrapped at a day: a term of games takes many hours.
QString playingTimeText(TDateTime days)
{
    const auto seconds = qint64(std::llround(std::max(0.0, days) * SecondsPerDay));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / SecondsPerHour)
        .arg(seconds % SecondsPerHour / SecondsPerMinute, 2, 10, QLatin1Char('0'))
        .arg(seconds % SecondsPerMinute, 2, 10, QLatin1Char('0'));
}

QString meanText(double value, const QLocale &locale)
{
    return value < 0 ? Missing : locale.toString(value, 'f', 1);
}

QString bestScoresText(const std::vector<ExerciseBest> &best)
{
    QStringList lines;
    for (const ExerciseBest &each : best)
        lines << QStringLiteral("%1: %2").arg(each.exercise).arg(each.score);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QStringList progressTableHeaders()
{
    return {QStringLiteral("Игрок"),
            QStringLiteral("Игр"),
            QStringLiteral("Время игры"),
            QStringLiteral("Лучший счёт"),
            QStringLiteral("Ответов в минуту"),
            QStringLiteral("Последняя игра"),
            QStringLiteral("Ошибок за игру")};
}

QStringList progressTableRow(const PlayerProgress &player, const QLocale &locale)
{
    return {player.player,
            QString::number(player.games),
            playingTimeText(player.playingTime),
            bestScoresText(player.bestScores),
            meanText(player.answersPerMinute, locale),
            player.games > 0 ? dateText(player.lastGame, locale) : Missing,
            meanText(player.meanErrors, locale)};
}
