// SPDX-License-Identifier: GPL-3.0-or-later
// The drill session without a window: each row plays a script of the window's events, 50 ms
// apart, and compares what the session then holds. Seeded tasks are checked against the rules
// of the drill stated here, drawn from an engine of their own.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>
#include <tuple>

#include "main/rules/DrillSession.h"

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 Seed = 20261208;
constexpr TDateTime Step = 50 / MSecsPerDay;

// The arithmetic tasks of a game from Seed, one per task made.
QString seededTasks(ExerciseKind kind, qint32 low, qint32 high, int taskCount)
{
    std::mt19937 engine(Seed);
    // Random(n): the 32-bit draw scaled onto 0 .. n - 1, n read as unsigned.
    const auto random = [&engine](qint32 n) {
        return qint32((quint64(engine()) * quint32(n)) >> 32);
    };
    const auto lowRoot = qint32(std::sqrt(double(low))), highRoot = qint32(std::sqrt(double(high)));
    const qint32 count = high - low + 1, rootCount = highRoot - lowRoot + 1;
    QStringList tasks;
    for (int i = 0; i < taskCount; ++i) {
        int operation = int(kind); // a single kind is its own operation
        if (kind == ExerciseKind::AdditionOrSubtraction) {
            operation = random(2);
        } else if (kind == ExerciseKind::MultiplicationOrDivision) {
            operation = 3 + random(2);
        } else if (kind == ExerciseKind::AnyOperation) {
            operation = 3 * random(2);
            operation += random(2);
        }
        // The sum or the minuend from the range, then the first addend or the subtrahend; or
        // the first factor or the quotient, then the second factor or the divisor.
        const qint32 first = operation < 3 ? low + random(count) : lowRoot + random(rootCount);
        const qint32 second = operation < 3 ? 1 + random(first - 1) : lowRoot + random(rootCount);
        if (operation == 0)
            tasks << u"%1+%2"_s.arg(second).arg(first - second);
        else if (operation == 1)
            tasks << u"%1-%2"_s.arg(first).arg(second);
        else if (operation == 3)
            tasks << u"%1*%2"_s.arg(first).arg(second);
        else
            tasks << u"%1:%2"_s.arg(first * std::max(second, 1)).arg(std::max(second, 1));
    }
    return tasks.join(u"; "_s);
}

// What the session holds, its counts only where they are not zero.
QString stateOf(const DrillSession &session, const QStringList &shown)
{
    const GameState &game = session.game();
    QStringList parts;
    if (session.isRunning())
        parts << u"running"_s;
    if (session.task().TaskFailed)
        parts << u"failed"_s;
    const QStringList names = u"tasks bar score answers errors mistakes"_s.split(u' ');
    const auto tasks = qint64(session.taskNumber());
    const qint64 counts[] = {tasks,        session.timeBar(), game.Score,
                             game.Answers, game.Errors,       game.Mistakes};
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (counts[i] != 0)
            parts << names[i] + u'=' + QString::number(counts[i]);
    }
    if (const auto &right = session.lastRightAnswer())
        parts << u"took=%1ms"_s.arg(qRound64(right->time * MSecsPerDay));
    if (!session.isRunning() && game.GameEnd != 0)
        parts << u"ended=%1ms"_s.arg(qRound64((game.GameEnd - game.GameStart) * MSecsPerDay));
    if (!shown.isEmpty())
        parts << u"shown="_s + shown.join(u"; "_s);
    if (!session.failedTasks().isEmpty())
        parts << u"listed="_s + session.failedTasks().join(u"; "_s);
    return parts.join(u' ');
}

void row(const char *name, const char *script, const QString &state)
{
    QTest::addRow("%s", name) << QString::fromUtf8(script) << state;
}

} // namespace

class DrillSessionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void events_data();
    void events();
};

// Events: start, right/wrong (typed), click/miss (the right option or another text), tick,
// stop, next (a task, its caption shown), result (the finished game shown), reverse, dic=,
// kind=, min=, max= (the settings); "*n" repeats.
// The settings are at first addition from 5 to 5 and the dictionary "abc", which holds one
// entry, "cat" - "koshka"; "empty" holds none.
void DrillSessionTest::events_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");

    using enum ExerciseKind;
    row("right_typed_answer", "start tick*3 right",
        u"running tasks=2 score=3 answers=1 took=200ms"_s);
    row("wrong_typed_answer", "start wrong", u"running failed tasks=1 errors=1 mistakes=100"_s);
    row("ten_wrong_answers_end_the_game", "start wrong*10",
        u"failed tasks=1 errors=10 mistakes=1000 ended=500ms"_s);
    row("answers_outside_a_game_ignored", "right wrong start wrong*10 wrong right tick",
        u"failed tasks=1 errors=10 mistakes=1000 ended=500ms"_s);
    row("ticks_on_a_full_bar_end_the_game", "start tick*1067",
        u"tasks=1 mistakes=1000 ended=53350ms"_s);
    row("mistakes_carry_past_full", "start wrong*9 tick*117 wrong",
        u"failed tasks=1 errors=10 mistakes=1050 ended=6350ms"_s);
    row("stop_ends_where_it_is", "start right stop",
        u"tasks=2 score=3 answers=1 took=50ms ended=100ms"_s);
    row("clicks_outside_a_dictionary_game_ignored", "miss start click miss", u"running tasks=1"_s);
    row("bad_range_refused_with_nothing_changed", "next max=abc next",
        u"tasks=1 shown="_s + seededTasks(Addition, 5, 5, 1) + u"; refused"_s);
    row("no_kind_makes_no_task", "kind=-1 next", u"tasks=1 shown=none"_s);
    row("any_operation_needs_one", "kind=6 min=0 next", u"shown=refused"_s);
    row("any_operation_draws", "kind=6 min=1 max=30 next*8",
        u"tasks=8 shown="_s + seededTasks(AnyOperation, 1, 30, 8));
    row("addition_or_subtraction_draws", "kind=2 min=1 max=30 next*6",
        u"tasks=6 shown="_s + seededTasks(AdditionOrSubtraction, 1, 30, 6));
    row("multiplication_or_division_from_zero", "kind=5 min=0 max=10 next*6",
        u"tasks=6 shown="_s + seededTasks(MultiplicationOrDivision, 0, 10, 6));
    row("arithmetic_result_as_typed", "kind=3 min=02 max=40 start result",
        u"running tasks=1 shown=Действие от 02 до 40|2|40|3"_s);
    row("letters_block_a_dictionary_game", "kind=7 max=x start next", u"shown=refused"_s);
    row("no_dictionary_before_a_game", "kind=7 min=30 max=1 next", u"tasks=1 shown=dog"_s);
    row("wrong_then_right_click_lists_the_task", "kind=7 start miss click",
        u"running tasks=2 score=3 answers=1 errors=1 mistakes=100 took=100ms listed=cat - koshka"_s);
    row("game_ending_on_a_wrong_click_lists_it", "kind=7 start miss*10",
        u"failed tasks=1 errors=10 mistakes=1000 ended=500ms listed=cat - koshka"_s);
    row("reverse_counts_from_the_next_task", "kind=7 start reverse miss click miss click",
        u"running tasks=3 score=6 answers=2 errors=2 mistakes=200 took=100ms listed=cat - koshka; koshka - cat"_s);
    row("no_entries_keep_the_last_right_word", "kind=7 start miss*10 dic=empty start miss click",
        u"running tasks=3 score=3 answers=1 errors=1 mistakes=100 took=100ms listed=dog - koshka"_s);
    row("dictionary_result_as_the_controls_stand", "kind=7 start reverse result",
        u"running tasks=1 shown=Действие abc|5|5|9734107"_s);
}

void DrillSessionTest::events()
{
    QFETCH(QString, script);
    const QTemporaryDir folder;
    QFile words(folder.filePath(u"abc"_s));
    QVERIFY(words.open(QIODevice::WriteOnly) && words.write("Words\ncat\tkoshka\n") > 0);
    words.close();
    QVERIFY(QFile(folder.filePath(u"empty"_s)).open(QIODevice::WriteOnly));

    DrillSettings settings{ExerciseKind::Addition, u"Действие"_s, u"5"_s, u"5"_s, u"abc"_s};
    DrillSession session;
    session.seed(Seed);
    QStringList shown;
    TDateTime now = 46000.5;
    for (const QString &token : script.split(u' ')) {
        const QString event = token.section(u'*', 0, 0);
        const int times = token.contains(u'*') ? token.section(u'*', 1).toInt() : 1;
        for (int i = 0; i < times; ++i, now += Step) {
            const TaskState before = session.task();
            const auto caption = session.caption();
            const QString rightWord = session.dictionary().RightWord;
            if (event == u"start") {
                session.prepareStart();
                if (settings.kind == ExerciseKind::ForeignLanguage)
                    session.loadDictionary(folder.filePath(settings.dictionaryFile));
                if (session.nextTask(settings, now))
                    session.beginGame(settings.kind, now);
            } else if (event == u"right" || event == u"wrong") {
                session.answerTyped(before.RightAnswer + (event == u"wrong"), settings, now);
            } else if (event == u"click" || event == u"miss") {
                session.answerOption(event == u"click" ? rightWord : rightWord + u'?', settings,
                                     now);
            } else if (event == u"tick") {
                session.tick(now);
            } else if (event == u"stop") {
                session.stop(now);
            } else if (event == u"next") {
                const bool made = session.nextTask(settings, now);
                const TaskState &after = session.task();
                const bool kept =
                    std::tie(before.Operation, before.RightAnswer, before.TaskStart) ==
                        std::tie(after.Operation, after.RightAnswer, after.TaskStart) &&
                    caption == session.caption();
                shown << (made   ? session.caption().value_or(u"none"_s)
                          : kept ? u"refused"_s
                                 : u"changed"_s);
            } else if (event == u"result") {
                const auto [category, description, game] = session.finishedGame(settings);
                shown << description + u"|%1|%2|%3"_s.arg(category.MinValue)
                                           .arg(category.MaxValue)
                                           .arg(category.Code);
            } else if (event == u"reverse") {
                settings.reversed = true;
            } else if (event.startsWith(u"dic=")) {
                settings.dictionaryFile = event.mid(4);
            } else if (event.startsWith(u"kind=")) {
                settings.kind = ExerciseKind(event.mid(5).toInt());
            } else if (event.startsWith(u"min=")) {
                settings.minText = event.mid(4);
            } else {
                QVERIFY2(event.startsWith(u"max="), qPrintable(event));
                settings.maxText = event.mid(4);
            }
        }
    }
    QTEST(stateOf(session, shown), "state");
}

QTEST_GUILESS_MAIN(DrillSessionTest)
#include "tst_drillsession.moc"
