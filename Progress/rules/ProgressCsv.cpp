// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/rules/ProgressCsv.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "rules/Error.h"
#include "rules/FileReplace.h"

namespace {

// Spreadsheets take UTF-8 only with the mark; without it they guess the ANSI code page.
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
const QString LineEnd = QStringLiteral("\r\n");
// An ISO date and time, which spreadsheets read as a date and keep.
const QString MomentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr double SecondsPerDay = 86400;
constexpr int RateDecimals = 1;

QString csvField(const QString &text)
{
    static const QString needQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return needQuotes.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString momentText(TDateTime value)
{
    return isShowableDateTime(value) ? fromDateTime(value).toString(MomentFormat) : QString();
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
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &field : row)
            fields.append(csvField(field));
        text += fields.join(QLatin1Char(',')) + LineEnd;
    }
    return QByteArray(ByteOrderMark) + text.toUtf8();
}

QByteArray historyCsv(const std::deque<OneHistory> &history)
{
    QList<QStringList> rows;
    rows.append({QStringLiteral("Имя"), QStringLiteral("Упражнение"), QStringLiteral("Очки"),
                 QStringLiteral("Дата"), QStringLiteral("Длительность (с)"),
                 QStringLiteral("Правильных ответов")});
    for (const OneHistory &game : history)
        rows.append({game.Name, game.Description, QString::number(game.Score),
                     momentText(game.Date), secondsText(game.Duration),
                     QString::number(game.Answers)});
    return csvDocument(rows);
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
                                    momentText(player.lastGame),
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
