// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/rules/ProgressCsv.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "rules/DateTime.h"
#include "rules/Error.h"
#include "rules/FileReplace.h"

namespace {

// Spreadsheets take UTF-8 only with the mark; without it they guess the ANSI code page.
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
const QString LineEnd = QStringLiteral("\r\n");
constexpr double SecondsPerDay = 86400;
constexpr int RateDecimals = 1;

void appendField(QString &text, const QString &field)
{
    static const QString needQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(field.begin(), field.end(), [](QChar c) { return needQuotes.contains(c); })) {
        text += field;
        return;
    }
    text += QLatin1Char('"');
    for (const QChar c : field) {
        if (c == u'"')
            text += QLatin1Char('"');
        text += c;
    }
    text += QLatin1Char('"');
}

void appendRow(QString &text, std::initializer_list<QString> fields)
{
    bool first = true;
    for (const QString &field : fields) {
        if (!first)
            text += QLatin1Char(',');
        first = false;
        appendField(text, field);
    }
    text += LineEnd;
}

QByteArray withMark(const QString &text)
{
    return QByteArray(ByteOrderMark) + text.toUtf8();
}

// Whole seconds; empty for a duration that is negative, longer than a day or no number.
QString secondsText(TDateTime duration)
{
    if (!(duration >= 0 && duration <= 1))
        return QString();
    return QString::number(std::llround(duration * SecondsPerDay));
}

// Empty for the negative values that stand for "not known".
QString rateText(double value)
{
    return value < 0 ? QString() : QString::number(value, 'f', RateDecimals);
}

} // namespace

QByteArray csvDocument(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += QLatin1Char(',');
            appendField(text, row[i]);
        }
        text += LineEnd;
    }
    return withMark(text);
}

QByteArray historyCsv(const std::deque<OneHistory> &history)
{
    // A history of 100 000 games is written as one text, without a list of rows between.
    constexpr qsizetype TypicalRowLength = 80;
    QString text;
    text.reserve(qsizetype(history.size() + 1) * TypicalRowLength);
    appendRow(text, {QStringLiteral("Имя"), QStringLiteral("Упражнение"), QStringLiteral("Очки"),
                     QStringLiteral("Дата"), QStringLiteral("Длительность (с)"),
                     QStringLiteral("Правильных ответов")});
    for (const OneHistory &game : history)
        appendRow(text, {game.Name, game.Description, QString::number(game.Score),
                         isoMomentText(game.Date), secondsText(game.Duration),
                         QString::number(game.Answers)});
    return withMark(text);
}

// One row per player and exercise, the player's columns repeated: a flat table sorts and
// filters in a spreadsheet as it is.
QByteArray progressTableCsv(const ProgressSummary &summary)
{
    QList<QStringList> rows;
    rows.append({QStringLiteral("Имя"), QStringLiteral("Игр"), QStringLiteral("Время игры (мин)"),
                 QStringLiteral("Ответов в минуту"), QStringLiteral("Последняя игра"),
                 QStringLiteral("Ошибок в среднем"), QStringLiteral("Упражнение"),
                 QStringLiteral("Лучший результат")});
    for (const PlayerProgress &player : summary.players) {
        const QStringList common = {player.player,
                                    QString::number(player.games),
                                    rateText(player.playingTime * MinutesPerDay),
                                    rateText(player.answersPerMinute),
                                    isoMomentText(player.lastGame),
                                    rateText(player.meanErrors)};
        for (const ExerciseBest &best : player.bestScores)
            rows.append(common + QStringList{best.exercise, QString::number(best.score)});
        if (player.bestScores.empty())
            rows.append(common + QStringList{QString(), QString()});
    }
    return csvDocument(rows);
}

void writeExportFile(const QString &path, const QByteArray &bytes)
{
    // The file is replaced by a renamed one: a device or a folder of that name must stay what
    // it is.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        throw Error(QStringLiteral("Не удалось записать файл %1: это не обычный файл").arg(path));
    replaceFile(path, bytes);
}
