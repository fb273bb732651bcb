// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a running game without a window: the time bar and its pace, the mistakes a full
// bar costs, the points of a right answer, and the end.
#include <QTest>

#include "main/rules/DrillGame.h"

namespace {

constexpr TDateTime Start = 46000.5;
constexpr double DaysPerMinute = 1.0 / MinutesPerDay;

} // namespace

class DrillGameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ticks_data();
    void ticks();
    void answers();
};

void DrillGameTest::ticks_data()
{
    QTest::addColumn<double>("minutesPlayed");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("timeBar");
    QTest::addColumn<int>("mistakes"); // what the ticks cost

    QTest::addRow("first_tick") << 0.0 << 1 << 15 << 0;
    QTest::addRow("pace_grows_by_two_a_whole_minute") << 1.0 << 1 << 17 << 0;
    QTest::addRow("part_of_a_minute_counts_nothing") << 2.9 << 1 << 19 << 0;
    QTest::addRow("after_five_and_a_half_minutes") << 5.5 << 1 << 25 << 0;
    QTest::addRow("after_ten_minutes") << 10.0 << 1 << 35 << 0;
    QTest::addRow("bar_holds_at_its_maximum") << 0.0 << 67 << 1000 << 0;
    QTest::addRow("each_tick_on_a_full_bar_costs_one") << 0.0 << 70 << 1000 << 3;
    QTest::addRow("ten_minutes_fill_faster") << 10.0 << 29 << 1000 << 0;
    QTest::addRow("one_short_of_the_bar_after_492_minutes") << 492.0 << 1 << 999 << 0;
    QTest::addRow("full_at_one_tick_after_493_minutes") << 493.0 << 1 << 1000 << 0;
}

void DrillGameTest::ticks()
{
    QFETCH(double, minutesPlayed);
    QFETCH(int, ticks);
    DrillGame game;
    game.start(Start);
    const TDateTime now = Start + minutesPlayed * DaysPerMinute;
    for (int i = 0; i < ticks; ++i)
        game.tick(now);
    QTEST(game.timeBar(), "timeBar");
    QTEST(game.state().Mistakes, "mistakes");
}

void DrillGameTest::answers()
{
    DrillGame game;
    game.start(Start);
    game.rightAnswer();
    QCOMPARE(game.state().Score, 3);
    while (!game.isTimeBarFull())
        game.tick(Start);
    game.rightAnswer();
    QCOMPARE(game.state().Score, 4);
    QCOMPARE(game.timeBar(), 0);
    game.rightAnswer();
    QCOMPARE(game.state().Score, 7);
    QCOMPARE(game.state().Answers, 3);

    // Ten wrong answers fill the mistakes bar; the game then ends.
    for (int wrong = 0; wrong < 9; ++wrong)
        game.wrongAnswer();
    QVERIFY(!game.mistakesFull());
    game.wrongAnswer();
    QVERIFY(game.mistakesFull());
    QCOMPARE(game.state().Errors, 10);
}

QTEST_GUILESS_MAIN(DrillGameTest)
#include "tst_drillgame.moc"
