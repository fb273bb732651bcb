// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchGame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"

namespace {

constexpr int Ticks = 20000;
constexpr int Answers = 5000;
constexpr int AnswerEveryTicks = 15;
constexpr double TickDays = 0.05 / 86400.0;
// No handler of a running game may take more than this at the 99th percentile, so that the
// 50 ms clock never slips.
constexpr double HandlerBudgetUs = 5000;
constexpr int RateSeconds = 30;
constexpr double TicksPerSecond = 20;
constexpr double RateTolerance = 0.02;

double microseconds(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

constexpr int DictionaryEntries = 20000;
constexpr int ManyResults = 100000;
constexpr int ResultCategories = 20;
constexpr int GamesEnded = 60;
constexpr int WrongAnswersToEnd = 10;
const QString DictionaryName = QStringLiteral("bench.txt");

enum class Drill { Addition, Vocabulary };

// A running game in a throw-away application folder: addition, or vocabulary on a dictionary
// of 20 000 entries. An error box would mean the benchmark measured the wrong thing.
struct BenchGame {
    explicit BenchGame(bool realClock, Drill drill = Drill::Addition, int results = 0)
    {
        if (results > 0)
            writeResultFiles(sandbox.folder(), results, ResultCategories);
        sandbox.platform.realClock = realClock;
        if (drill == Drill::Vocabulary) {
            sandbox.makeFolder(QStringLiteral("Dic"));
            writeDictionary(sandbox.path(QStringLiteral("Dic/") + DictionaryName),
                            DictionaryEntries, false);
        }
        window = std::make_unique<TfmMain>();
        if (drill == Drill::Vocabulary) {
            selectKind(*window, ExerciseKind::ForeignLanguage);
            selectDictionary(*window, DictionaryName);
        } else {
            selectKind(*window, ExerciseKind::Addition);
        }
        window->btStartClick();
        if (!window->isGameRunning())
            qFatal("the measured game did not start");
    }
    ~BenchGame()
    {
        window.reset(); // saves its files into the folder before it goes
        if (!sandbox.platform.errors.isEmpty())
            qFatal("error box: %s", qPrintable(sandbox.platform.errors.join(u'\n')));
    }
    AppSandbox sandbox;
    std::unique_ptr<TfmMain> window;
};

QString microText(double value)
{
    return QStringLiteral("%1 µs").arg(value, 0, 'f', 1);
}

// One row for a game handler: its median and 99th percentile, against the handler budget.
void addHandlerRow(Report &report, const QString &figure, const std::vector<double> &times)
{
    const double p99 = percentile(times, 0.99);
    report.add({figure + QStringLiteral(", median / 99th percentile"),
                microText(median(times)) + QStringLiteral(" / ") + microText(p99),
                {},
                QStringLiteral("99th percentile < %1 µs").arg(HandlerBudgetUs),
                p99 < HandlerBudgetUs});
}

} // namespace

void benchGameLoop(Report &report)
{
    std::vector<double> tickTimes;
    std::vector<double> answerTimes;
    {
        BenchGame game(false);
        TfmMain &w = *game.window;
        auto *box = control<QLineEdit>(w, "edAnswer");
        for (int i = 0; i < Answers; ++i) {
            box->setText(QString::number(w.session().task().RightAnswer));
            const auto start = Clock::now();
            w.edAnswerKeyDown(Qt::Key_Return);
            answerTimes.push_back(microseconds(start));
        }
        for (int i = 0; i < Ticks; ++i) {
            game.sandbox.platform.clock += TickDays;
            const auto start = Clock::now();
            w.TimerTimer();
            tickTimes.push_back(microseconds(start));
            // Answer before the time bar fills, so the game runs on.
            if (i % AnswerEveryTicks == 0)
                answerRight(w);
        }
        if (!w.isGameRunning())
            qFatal("the measured game ended early");
    }
    addHandlerRow(report, QStringLiteral("TimerTimer (%1 ticks)").arg(tickTimes.size()), tickTimes);
    addHandlerRow(report, QStringLiteral("typed right answer"), answerTimes);
}

// A right option clicked makes the next task: four entries drawn at least.
void benchVocabularyAnswer(Report &report)
{
    constexpr int Clicks = 2000;
    std::vector<double> clickTimes;
    {
        BenchGame game(false, Drill::Vocabulary);
        TfmMain &w = *game.window;
        for (int i = 0; i < Clicks; ++i) {
            WideButton &right = rightOption(w);
            const auto start = Clock::now();
            w.btOptionClick(&right);
            clickTimes.push_back(microseconds(start));
        }
        if (!w.isGameRunning())
            qFatal("the measured game ended early");
    }
    addHandlerRow(report, QStringLiteral("right option clicked, 20 000-entry dictionary"),
                  clickTimes);
}

// The end of a game with 100 000 records and history entries: the result stored, the category
// ranked, the name asked (the benchmark's prompt returns at once).
void benchGameEnd(Report &report)
{
    std::vector<double> endTimes;
    {
        BenchGame game(false, Drill::Addition, ManyResults);
        TfmMain &w = *game.window;
        for (int g = 0; g < GamesEnded; ++g) {
            if (!w.isGameRunning())
                w.btStartClick();
            for (int i = 1; i < WrongAnswersToEnd; ++i)
                answerWrong(w);
            const auto start = Clock::now();
            answerWrong(w);
            endTimes.push_back(microseconds(start));
            if (w.isGameRunning())
                qFatal("the measured game did not end");
        }
    }
    addHandlerRow(report, QStringLiteral("end of a game, 100 000 records"), endTimes);
}

void benchTimerRate(Report &report)
{
    BenchGame game(true);
    auto *timer = control<QTimer>(*game.window, "Timer");
    int ticks = 0;
    double worstGapMs = 0;
    QElapsedTimer sinceLast;
    QElapsedTimer total;
    QObject::connect(timer, &QTimer::timeout, timer, [&] {
        if (ticks > 0)
            worstGapMs = std::max(worstGapMs, double(sinceLast.nsecsElapsed()) / 1e6);
        sinceLast.start();
        ++ticks;
    });
    total.start();
    sinceLast.start();
    QTimer::singleShot(RateSeconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double rate = ticks / (double(total.nsecsElapsed()) / 1e9);
    report.add({QStringLiteral("timer rate over %1 s (worst gap %2 ms)")
                    .arg(RateSeconds)
                    .arg(worstGapMs, 0, 'f', 1),
                QStringLiteral("%1 ticks/s").arg(rate, 0, 'f', 2),
                QStringLiteral("%1 ticks/s").arg(TicksPerSecond), QStringLiteral("within 2 %"),
                std::fabs(rate - TicksPerSecond) / TicksPerSecond <= RateTolerance});
}
