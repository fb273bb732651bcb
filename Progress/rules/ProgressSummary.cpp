// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/rules/ProgressSummary.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "main/rules/ResultCodec.h"
#include "main/rules/ResultStore.h"
#include "rules/Error.h"
#include "rules/RegularFile.h"

namespace {

constexpr int DaysPerWeek = 7;
// No drill lasts a day: a longer duration is a damaged one.
constexpr TDateTime LongestGame = 1;

bool isUnnamed(const QString &name)
{
    return name.isEmpty() || name == UnnamedPlayer || name == NewResName;
}

QString playerOf(const QString &name)
{
    return isUnnamed(name) ? UnnamedPlayer : name;
}

// Only a game of a real length and a sane count of answers adds to the playing time and the rate.
bool hasUsableDuration(const OneHistory &game)
{
    return std::isfinite(game.Duration) && game.Duration > 0 && game.Duration <= LongestGame &&
           game.Answers >= 0;
}

double perMinute(double answers, TDateTime duration)
{
    return answers / (duration * MinutesPerDay);
}

TDateTime periodStart(ProgressPeriod period, TDateTime now)
{
    switch (period) {
    case ProgressPeriod::Week:
        return now - DaysPerWeek;
    case ProgressPeriod::Month:
        return toDateTime(fromDateTime(now).addMonths(-1));
    case ProgressPeriod::All:
        break;
    }
    return -std::numeric_limits<TDateTime>::infinity();
}

// A records entry and a history entry of the same game share these, to the bit: both are
// written from the same finished game.
struct GameKey {
    quint64 date = 0;
    quint64 duration = 0;
    qint32 score = 0;
    qint32 answers = 0;
    friend bool operator==(const GameKey &, const GameKey &) = default;
};

size_t qHash(const GameKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.date, key.duration, key.score, key.answers);
}

template<typename Entry> GameKey keyOf(const Entry &entry)
{
    return {std::bit_cast<quint64>(entry.Date), std::bit_cast<quint64>(entry.Duration), entry.Score,
            entry.Answers};
}

struct PlayerTotals {
    PlayerProgress row;
    TDateTime usableTime = 0;
    qint64 usableAnswers = 0;
    bool anyUsable = false;
    QHash<QString, qint32> best;
    qint64 errors = 0;
    int countedErrors = 0;
};

// Hashed while a history of 100 000 games is gone through, sorted once at the end.
QStringList sortedOnce(const QSet<QString> &names)
{
    QStringList list = names.values();
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

QStringList progressPlayers(const std::deque<OneHistory> &history)
{
    QSet<QString> names;
    for (const OneHistory &game : history) {
        if (!isUnnamed(game.Name))
            names.insert(game.Name);
    }
    return sortedOnce(names);
}

QStringList progressExercises(const std::deque<OneHistory> &history)
{
    QSet<QString> exercises;
    for (const OneHistory &game : history)
        exercises.insert(game.Description);
    return sortedOnce(exercises);
}

ProgressSummary summarizeProgress(const std::deque<OneHistory> &history,
                                  const std::deque<OneHiScore> &records,
                                  const ProgressFilter &filter, TDateTime now)
{
    const TDateTime start = periodStart(filter.period, now);
    const auto chosen = [&](const QString &player) {
        return filter.player.isEmpty() || player == filter.player;
    };
    ProgressSummary summary;
    QHash<QString, PlayerTotals> players;
    // The games shown, for the records entries of the same games when one exercise is chosen.
    QSet<GameKey> shown;
    for (const OneHistory &game : history) {
        const QString player = playerOf(game.Name);
        if (!chosen(player) || (!filter.exercise.isEmpty() && game.Description != filter.exercise))
            continue;
        if (!isShowableDateTime(game.Date)) {
            ++summary.damagedDates;
            continue;
        }
        if (game.Date < start)
            continue;
        if (!filter.exercise.isEmpty())
            shown.insert(keyOf(game));
        const bool usable = hasUsableDuration(game);
        summary.points.push_back({game.Date, game.Score,
                                  usable ? perMinute(game.Answers, game.Duration) : -1.0, player,
                                  game.Description});
        PlayerTotals &totals = players[player];
        totals.row.lastGame =
            totals.row.games == 0 ? game.Date : std::max(totals.row.lastGame, game.Date);
        ++totals.row.games;
        if (usable) {
            totals.anyUsable = true;
            totals.usableTime += game.Duration;
            totals.usableAnswers += game.Answers;
        }
        const auto best = totals.best.find(game.Description);
        if (best == totals.best.end())
            totals.best.insert(game.Description, game.Score);
        else
            *best = std::max(*best, game.Score);
    }
    // Games are appended as they end, so the history is nearly always in date order already.
    const auto byDate = [](const ProgressPoint &a, const ProgressPoint &b) {
        return a.date < b.date;
    };
    if (!std::is_sorted(summary.points.begin(), summary.points.end(), byDate))
        std::stable_sort(summary.points.begin(), summary.points.end(), byDate);

    for (const OneHiScore &entry : records) {
        if (entry.Errors < 0 || !isShowableDateTime(entry.Date) || entry.Date < start)
            continue;
        // Records do not name their exercise: with one chosen, only those of the games shown.
        if (!filter.exercise.isEmpty() && !shown.contains(keyOf(entry)))
            continue;
        const auto totals = players.find(playerOf(entry.Name));
        if (totals == players.end())
            continue;
        totals->errors += entry.Errors;
        ++totals->countedErrors;
    }

    QStringList names = players.keys();
    std::sort(names.begin(), names.end());
    for (const QString &player : names) {
        PlayerTotals &totals = players[player];
        PlayerProgress row = std::move(totals.row);
        row.player = player;
        row.playingTime = totals.usableTime;
        if (totals.anyUsable)
            row.answersPerMinute = perMinute(double(totals.usableAnswers), totals.usableTime);
        if (totals.countedErrors > 0)
            row.meanErrors = double(totals.errors) / totals.countedErrors;
        for (auto best = totals.best.cbegin(); best != totals.best.cend(); ++best)
            row.bestScores.push_back({best.key(), best.value()});
        std::sort(
            row.bestScores.begin(), row.bestScores.end(),
            [](const ExerciseBest &a, const ExerciseBest &b) { return a.exercise < b.exercise; });
        summary.players.push_back(std::move(row));
    }
    return summary;
}

void namePlayers(std::deque<OneHistory> &history, const std::deque<OneHiScore> &records)
{
    QHash<GameKey, QString> names;
    names.reserve(qsizetype(records.size()));
    for (const OneHiScore &entry : records) {
        // The first name of a game stays, as when two copies named it.
        const GameKey key = keyOf(entry);
        if (!isUnnamed(entry.Name) && !names.contains(key))
            names.insert(key, entry.Name);
    }
    for (OneHistory &game : history) {
        if (game.Name != UnnamedPlayer)
            continue;
        const auto name = names.find(keyOf(game));
        if (name != names.end())
            game.Name = *name;
    }
}

std::deque<OneHistory> readHistoryFile(const QString &folder)
{
    return decodeEntries<OneHistory>(readRegularFile(folder + HistoryFileName, MaxResultFileBytes,
                                                     PlainFile, IfMissing::ReadEmpty));
}

std::deque<OneHiScore> readRecordsFile(const QString &folder)
{
    return decodeEntries<OneHiScore>(readRegularFile(folder + RecordsFileName, MaxResultFileBytes,
                                                     PlainFile, IfMissing::ReadEmpty));
}

ProgressData readProgressData(const QString &folder)
{
    ProgressData data;
    try {
        data.history = readHistoryFile(folder);
    } catch (const Error &error) {
        data.errors << error.message();
    }
    try {
        data.records = readRecordsFile(folder);
    } catch (const Error &error) {
        data.errors << error.message();
    }
    namePlayers(data.history, data.records);
    return data;
}

QString resultsFolderPrefix(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder
                                                                 : folder + QLatin1Char('/');
}
