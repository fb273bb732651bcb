// SPDX-License-Identifier: GPL-3.0-or-later
// How a child is doing, from the files every game is kept in: the games of one player or all,
// of one exercise or all, over the last week, month or all the time, as points over time (score
// and right answers per minute) and as one table row per player. Widget-free: the progress
// window, its PDF report, the CSV export and the command line all show what this computes.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"
#include "rules/DateTime.h"

enum class ProgressPeriod { Week, Month, All };

// The player of a game nobody named: the history file itself names no player (the program writes
// "-" there, as the history window shows it), entries still "NewRes" wait for a name, and a game
// outside the records' first places never gets one. Such games count in the summaries of all
// players, as one table row of this name, and are not offered in the player chooser.
inline const QString UnnamedPlayer = QStringLiteral("-");

// An empty player or exercise stands for all of them.
struct ProgressFilter {
    QString player;
    QString exercise;
    ProgressPeriod period = ProgressPeriod::All;
};

// One game on the charts.
struct ProgressPoint {
    TDateTime date = 0;
    qint32 score = 0;
    // Right answers per minute of play; negative when the game has no usable duration.
    double answersPerMinute = -1;
    QString player;
    QString exercise;
};

struct ExerciseBest {
    QString exercise;
    qint32 score = 0;
};

// One row of the table: a player's games within the filter.
struct PlayerProgress {
    QString player;
    int games = 0;
    // Sum of the games' durations, in days.
    TDateTime playingTime = 0;
    // The best score of each exercise played, exercises sorted by their text.
    std::vector<ExerciseBest> bestScores;
    // All right answers over all minutes played; negative when no game has a usable duration.
    double answersPerMinute = -1;
    TDateTime lastGame = 0;
    // Mean mistakes per game from the records file (entries of the player within the period that
    // know their count; with one exercise chosen, only those of its games, since records do not
    // name their exercise); negative when none does.
    double meanErrors = -1;
};

struct ProgressSummary {
    // In date order.
    std::vector<ProgressPoint> points;
    // Sorted by name.
    std::vector<PlayerProgress> players;
    // Games of the filter left out because their date is no date.
    int damagedDates = 0;
};

// The names and the exercise descriptions found in the history, each once, sorted, for the
// window's choosers; the players' names only once namePlayers has given them, the unnamed player
// never.
QStringList progressPlayers(const std::deque<OneHistory> &history);
QStringList progressExercises(const std::deque<OneHistory> &history);

// The games of the filter within the period that ends at `now`: the last 7 days for a week, since
// the same moment a calendar month before for a month; games dated after `now` count in every
// period. A game whose date is no date is counted in damagedDates only; a duration that is not
// positive or longer than a day adds no playing time and gives no rate.
ProgressSummary summarizeProgress(const std::deque<OneHistory> &history,
                                  const std::deque<OneHiScore> &records,
                                  const ProgressFilter &filter, TDateTime now);

// The two result files of a folder, read and never written (a missing one reads as empty), with
// the same size limit as the program's own reading; the texts of the files that could not be
// read, the others still read.
struct ProgressData {
    std::deque<OneHistory> history;
    std::deque<OneHiScore> records;
    QStringList errors;
};
ProgressData readProgressData(const QString &folder);

// A folder as typed, as the prefix the result files' names are appended to: empty for the
// current folder, otherwise ending in "/".
QString resultsFolderPrefix(const QString &folder);

// The two files alone, read as above; each throws Error with a Russian text naming the file.
std::deque<OneHistory> readHistoryFile(const QString &folder);
std::deque<OneHiScore> readRecordsFile(const QString &folder);

// Gives each history entry named "-" the player's name from the records entry of the same game
// (same date, duration, score and right answers), where that one has a name.
void namePlayers(std::deque<OneHistory> &history, const std::deque<OneHiScore> &records);
