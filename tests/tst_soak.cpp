// SPDX-License-Identifier: GPL-3.0-or-later
// Ten hours of one game through the seam: 720 000 clock ticks 50 ms apart, with right answers
// given at varying moments and a few wrong ones, each step checked against what the controls
// showed before it. The counters stay right, the time bar keeps its pace (15 + 2 per whole
// minute per tick, the bar capped at its maximum), and the memory stays flat.
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTest>

#include <unistd.h>

#include "main/rules/ResultCodec.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"
#include "ui/PanelStatusBar.h"
#include "ui/ProgressBar.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool BuiltWithAddressSanitizer = true;
#else
constexpr bool BuiltWithAddressSanitizer = false;
#endif

constexpr int Ticks = 720000; // ten hours
constexpr double TickMs = 50.0;
constexpr int TicksPerMinute = 1200;
constexpr double MsPerDay = 86400000.0;

constexpr int BarFull = 1000;
constexpr int StartingGain = 15;
constexpr int GainPerMinute = 2;
constexpr int MistakesPerWrongAnswer = 100;
constexpr int PointsInTime = 3;
constexpr int PointsLate = 1;

// Six wrong answers and at most 300 ticks with a full bar stay below the 1000 that end a game.
constexpr int WrongAnswerEvery = 120000;
constexpr int FirstWrongAnswer = 60000;
constexpr int FullTickBudget = 300;
// A right answer comes 1 to 40 ticks after its task was shown, or as soon as the bar is full
// once the budget of full ticks is spent.
constexpr int LongestThought = 40;
constexpr quint32 AnswerSeed = 7;

// Resident memory may grow this much over the hours after the first minute.
constexpr qint64 MemoryAllowance = 2 * 1024 * 1024;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

int expectedGain(int minute)
{
    return std::min(StartingGain + GainPerMinute * minute, BarFull);
}

// What the game must have counted, from what the test did and what the time bar showed.
struct Expected {
    int mistakes = 0;
    int score = 0;
    int answers = 0;
    int errors = 0;
    int fullTicks = 0;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void tenHourGame();
};

void SoakTest::tenHourGame()
{
    AppSandbox sandbox;
    auto window = std::make_unique<TfmMain>();
    window->show();
    selectKind(*window, ExerciseKind::Addition);
    setRange(*window, QStringLiteral("1"), QStringLiteral("30"));
    window->btStartClick();
    QVERIFY(window->isGameRunning());
    const auto *timeBar = control<ProgressBar>(*window, "prbCurrent");
    const TDateTime gameStart = sandbox.platform.clock;

    Expected expected;
    QRandomGenerator random(AnswerSeed);
    int thought = 1 + random.bounded(LongestThought);
    int ticksOnTask = 0;
    qint64 memoryAfterFirstMinute = 0;

    for (int n = 1; n <= Ticks; ++n) {
        // Ticks fall half-way between two 50 ms marks of the game clock, so that none of
        // them sits on a minute's edge.
        const double elapsedMs = n * TickMs - TickMs / 2;
        sandbox.platform.clock = gameStart + elapsedMs / MsPerDay;
        const int minute = int(elapsedMs) / (TicksPerMinute * int(TickMs));

        const int before = timeBar->position();
        window->TimerTimer();
        ++ticksOnTask;
        const int after =
            before < BarFull ? std::min(before + expectedGain(minute), BarFull) : BarFull;
        if (before == BarFull) {
            ++expected.mistakes;
            ++expected.fullTicks;
        }
        if (timeBar->position() != after)
            QFAIL(qPrintable(QStringLiteral("tick %1 (minute %2): time bar at %3, expected %4")
                                 .arg(n)
                                 .arg(minute)
                                 .arg(timeBar->position())
                                 .arg(after)));

        if (n % WrongAnswerEvery == FirstWrongAnswer) {
            answerWrong(*window);
            ++expected.errors;
            expected.mistakes += MistakesPerWrongAnswer;
        } else if (ticksOnTask >= thought ||
                   (after == BarFull && expected.fullTicks >= FullTickBudget)) {
            answerRight(*window);
            ++expected.answers;
            expected.score += after < BarFull ? PointsInTime : PointsLate;
            QCOMPARE(timeBar->position(), 0);
            ticksOnTask = 0;
            thought = 1 + random.bounded(LongestThought);
        }

        if (n % TicksPerMinute == 0) {
            // Posted events only (repaints, deferred deletions): the window's own timer must
            // not tick besides the test.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(window->session().game().Mistakes, expected.mistakes);
            QCOMPARE(window->session().game().Score, expected.score);
            if (n == TicksPerMinute)
                memoryAfterFirstMinute = residentBytes();
        }
    }

    QVERIFY(window->isGameRunning());
    QCOMPARE(window->session().game().Answers, expected.answers);
    QCOMPARE(window->session().game().Errors, expected.errors);
    QCOMPARE(window->session().game().Score, expected.score);
    QCOMPARE(window->session().game().Mistakes, expected.mistakes);
    QCOMPARE(expected.errors, Ticks / WrongAnswerEvery);
    QVERIFY(expected.fullTicks >= FullTickBudget);
    QCOMPARE(control<QLabel>(*window, "lbScore")->text(), QString::number(expected.score));
    QCOMPARE(control<QLabel>(*window, "lbAnswers")->text(), QString::number(expected.answers));
    QCOMPARE(control<PanelStatusBar>(*window, "StatusBar")->panelText(0),
             QStringLiteral("09:59:59"));

    const qint64 memoryAtEnd = residentBytes();
    QVERIFY(memoryAfterFirstMinute > 0);
    qInfo("resident memory after the first minute %lld KiB, after ten hours %lld KiB",
          memoryAfterFirstMinute / 1024, memoryAtEnd / 1024);
    // AddressSanitizer holds freed memory back on purpose, so only a plain build can tell.
    if (!BuiltWithAddressSanitizer) {
        QVERIFY2(memoryAtEnd - memoryAfterFirstMinute <= MemoryAllowance,
                 qPrintable(QStringLiteral("resident memory grew by %1 KiB")
                                .arg((memoryAtEnd - memoryAfterFirstMinute) / 1024)));
    }

    // Closing stores the ten-hour game with its counts.
    window.reset();
    const std::deque<OneHiScore> saved =
        decodeEntries<OneHiScore>(sandbox.readFile(QStringLiteral("SaveRes.res")));
    QCOMPARE(saved.size(), std::size_t(1));
    QCOMPARE(saved.front().Name, QStringLiteral("Player1"));
    QCOMPARE(saved.front().Score, expected.score);
    QCOMPARE(saved.front().Answers, expected.answers);
    QCOMPARE(saved.front().Errors, expected.errors);
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
