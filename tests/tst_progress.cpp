// SPDX-License-Identifier: GPL-3.0-or-later
// The progress summaries over one set of games, the CSV bytes, and the reading of a folder's
// result files, which writes nothing.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include "Progress/rules/ProgressCsv.h"
#include "Progress/rules/ProgressSummary.h"
#include "main/rules/ResultCodec.h"

using namespace Qt::StringLiterals;

namespace {

// 31 March 2026, noon; a month before is 28 February, noon: 46081.5.
constexpr TDateTime Now = 46112.5;
constexpr TDateTime Minute = 1.0 / 1440;
const QString Addition = u"Сложение"_s;
const QString Multiplication = u"Умножение"_s;

const std::deque<OneHistory> Games = {
    {u"Аня"_s, Addition, 40, Now - 1, 5 * Minute, 20},
    {u"Аня"_s, Addition, 55, Now - 10, 4 * Minute, 30},
    {u"Аня"_s, Multiplication, 25, Now - 40, 2 * Minute, 10},
    {u"Боря"_s, Addition, 30, Now - 7, 0, 12},
    {u"Боря"_s, Addition, 35, std::numeric_limits<double>::quiet_NaN(), Minute, 5},
    {u"-"_s, Addition, 20, Now - 2, Minute, 6},
    {u"Боря"_s, Addition, 45, Now + 1, 3 * Minute, 9},
    {u"Боря"_s, Multiplication, 50, 46081.5, 2 * Minute, 16},
    {u"Боря"_s, Multiplication, 70, 46081.4, 2 * Minute, 10},
};

// The records entry of each game above, in order, with its mistakes.
std::deque<OneHiScore> records()
{
    const QList<int> errors = {2, 5, -1, 3, 0, 1, 0, 0, 4};
    std::deque<OneHiScore> entries;
    for (std::size_t i = 0; i < Games.size(); ++i) {
        const OneHistory &g = Games[i];
        entries.push_back({g.Name == u"-"_s ? u"NewRes"_s : g.Name, 1, 30, 0, g.Score, g.Date,
                           g.Duration, g.Answers, errors[qsizetype(i)]});
    }
    return entries;
}

QString number(double value)
{
    return value < 0 ? u"-"_s : QString::number(value, 'f', 3);
}

QStringList described(const ProgressSummary &summary)
{
    QStringList lines;
    for (const ProgressPoint &p : summary.points)
        lines << u"%1 %2 %3 %4 %5"_s.arg(QString::number(p.date, 'f', 1), p.player, p.exercise)
                     .arg(p.score)
                     .arg(number(p.answersPerMinute));
    for (const PlayerProgress &p : summary.players) {
        QStringList best;
        for (const ExerciseBest &b : p.bestScores)
            best << b.exercise + u'=' + QString::number(b.score);
        lines << u"%1: %2 games, %3 min, %4/min, last %5, errors %6, %7"_s.arg(p.player)
                     .arg(p.games)
                     .arg(number(p.playingTime / Minute), number(p.answersPerMinute),
                          QString::number(p.lastGame, 'f', 1), number(p.meanErrors),
                          best.join(u' '));
    }
    lines << u"damaged %1"_s.arg(summary.damagedDates);
    return lines;
}

} // namespace

class ProgressTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void summary_data();
    void summary();
    void csvBytes_data();
    void csvBytes();
    void readsFolderWithoutWriting();
};

void ProgressTest::summary_data()
{
    QTest::addColumn<bool>("played");
    QTest::addColumn<QString>("player");
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<ProgressPeriod>("period");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("everything")
        << true << QString() << QString() << ProgressPeriod::All
        << QStringList{
               u"46072.5 Аня Умножение 25 5.000"_s,
               u"46081.4 Боря Умножение 70 5.000"_s,
               u"46081.5 Боря Умножение 50 8.000"_s,
               u"46102.5 Аня Сложение 55 7.500"_s,
               u"46105.5 Боря Сложение 30 -"_s,
               u"46110.5 - Сложение 20 6.000"_s,
               u"46111.5 Аня Сложение 40 4.000"_s,
               u"46113.5 Боря Сложение 45 3.000"_s,
               u"-: 1 games, 1.000 min, 6.000/min, last 46110.5, errors 1.000, Сложение=20"_s,
               u"Аня: 3 games, 11.000 min, 5.455/min, last 46111.5, errors 3.500, Сложение=55 "
               u"Умножение=25"_s,
               u"Боря: 4 games, 7.000 min, 5.000/min, last 46113.5, errors 1.750, Сложение=45 "
               u"Умножение=70"_s,
               u"damaged 1"_s,
           };
    // The week starts exactly 7 days before; a game after now counts; a damaged date counts
    // for the player chosen.
    QTest::addRow("week_of_one_player")
        << true << u"Боря"_s << QString() << ProgressPeriod::Week
        << QStringList{
               u"46105.5 Боря Сложение 30 -"_s,
               u"46113.5 Боря Сложение 45 3.000"_s,
               u"Боря: 2 games, 3.000 min, 3.000/min, last 46113.5, errors 1.500, Сложение=45"_s,
               u"damaged 1"_s,
           };
    // The month starts on 28 February at noon; the mistakes are those of the exercise's games.
    QTest::addRow("month_of_one_exercise")
        << true << QString() << Multiplication << ProgressPeriod::Month
        << QStringList{
               u"46081.5 Боря Умножение 50 8.000"_s,
               u"Боря: 1 games, 2.000 min, 8.000/min, last 46081.5, errors 0.000, Умножение=50"_s,
               u"damaged 0"_s,
           };
    QTest::addRow("nothing_played")
        << false << QString() << QString() << ProgressPeriod::All << QStringList{u"damaged 0"_s};
}

void ProgressTest::summary()
{
    QFETCH(bool, played);
    QFETCH(QString, player);
    QFETCH(QString, exercise);
    QFETCH(ProgressPeriod, period);
    QFETCH(QStringList, expected);

    const ProgressSummary summary = summarizeProgress(played ? Games : std::deque<OneHistory>(),
                                                      played ? records() : std::deque<OneHiScore>(),
                                                      {player, exercise, period}, Now);
    QCOMPARE(described(summary), expected);
}

void ProgressTest::csvBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");

    const std::deque<OneHistory> history = {
        {u"Аня"_s, u"Счёт, \"быстро\""_s, 40, Now - 1, 5 * Minute + 0.4 / 86400, 20},
        {u"-"_s, Addition, 20, std::numeric_limits<double>::infinity(), -Minute, 6},
    };
    QTest::addRow("history")
        << historyCsv(history)
        << "\xEF\xBB\xBFИмя,Упражнение,Очки,Дата,Длительность (с),Правильных ответов\r\n"
           "Аня,\"Счёт, \"\"быстро\"\"\",40,2026-03-30 12:00:00,300,20\r\n"
           "-,Сложение,20,,,6\r\n"_ba;

    ProgressSummary summary;
    summary.players.push_back({u"Аня"_s,
                               3,
                               14 * Minute,
                               {{Addition, 55}, {u"Line\nbreak"_s, 25}},
                               69.0 / 14,
                               Now + 1,
                               -1});
    QTest::addRow("table")
        << progressTableCsv(summary)
        << "\xEF\xBB\xBFИмя,Игр,Время игры (мин),Ответов в минуту,Последняя игра,"
           "Ошибок в среднем,Упражнение,Лучший результат\r\n"
           "Аня,3,14.0,4.9,2026-04-01 12:00:00,,Сложение,55\r\n"
           "Аня,3,14.0,4.9,2026-04-01 12:00:00,,\"Line\nbreak\",25\r\n"_ba;
}

void ProgressTest::csvBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes, expected);
}

void ProgressTest::readsFolderWithoutWriting()
{
    QCOMPARE(progressPlayers(Games), (QStringList{u"Аня"_s, u"Боря"_s}));
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QCOMPARE(readProgressData(folder).errors, QStringList());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    // A records file that cannot be read leaves the history read.
    QFile history(folder + u"SaveRes.hst"_s);
    QVERIFY(history.open(QIODevice::WriteOnly));
    history.write(encodeEntries(Games));
    history.close();
    QVERIFY(QDir(folder).mkdir(u"SaveRes.res"_s));
    const ProgressData data = readProgressData(folder);
    QCOMPARE(data.history.size(), Games.size());
    QCOMPARE(data.errors.size(), 1);
    QVERIFY2(data.errors.first().contains(u"SaveRes.res"_s), qPrintable(data.errors.first()));
}

QTEST_GUILESS_MAIN(ProgressTest)
#include "tst_progress.moc"
