#include "bench/BenchGame.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "bench/BenchPlatform.h"
#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"
#include "main/TfmMain.h"
#include "ui/WideButton.h"

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
// of 20 000 entries.
struct BenchGame {
    explicit BenchGame(bool realClock, Drill drill = Drill::Addition, int results = 0)
    {
        platform.exePath = dir.filePath(QStringLiteral("Tovelo2"));
        // The result files go to the current folder.
        QDir::setCurrent(dir.path());
        if (results > 0)
            writeResultFiles(dir.path(), results, ResultCategories);
        platform.realClock = realClock;
        if (drill == Drill::Vocabulary) {
            QDir(dir.path()).mkdir(QStringLiteral("Dic"));
            writeDictionary(dir.filePath(QStringLiteral("Dic/") + DictionaryName),
                            DictionaryEntries, false);
        }
        window = std::make_unique<TfmMain>();
        auto *kind = window->findChild<QComboBox *>(QStringLiteral("cmbAction"));
        if (drill == Drill::Vocabulary) {
            kind->setCurrentIndex(static_cast<int>(ExerciseKind::ForeignLanguage));
            window->cmbActionChange();
            auto *files = window->findChild<QComboBox *>(QStringLiteral("cmbDicFiles"));
            files->setCurrentIndex(files->findText(DictionaryName));
        } else {
            kind->setCurrentIndex(0);
        }
        window->btStartClick();
        if (!window->isGameRunning())
            qFatal("the measured game did not start");
    }
    ~BenchGame()
    {
        window.reset(); // saves its files into the folder before it goes
        QDir::setCurrent(previousFolder);
    }
    QString previousFolder = QDir::currentPath();
    QTemporaryDir dir;
    BenchPlatform platform;
    PlatformOverride installed{platform};
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
        auto *box = w.findChild<QLineEdit *>(QStringLiteral("edAnswer"));
        const auto answerRight = [&] {
            box->setText(QString::number(w.task().RightAnswer));
            w.edAnswerKeyDown(Qt::Key_Return);
        };
        for (int i = 0; i < Answers; ++i) {
            box->setText(QString::number(w.task().RightAnswer));
            const auto start = Clock::now();
            w.edAnswerKeyDown(Qt::Key_Return);
            answerTimes.push_back(microseconds(start));
        }
        for (int i = 0; i < Ticks; ++i) {
            game.platform.fakeClock += TickDays;
            const auto start = Clock::now();
            w.TimerTimer();
            tickTimes.push_back(microseconds(start));
            // Answer before the time bar fills, so the game runs on.
            if (i % AnswerEveryTicks == 0)
                answerRight();
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
        const QList<WideButton *> options = w.findChildren<WideButton *>();
        for (int i = 0; i < Clicks; ++i) {
            const auto right = std::find_if(options.cbegin(), options.cend(), [&](WideButton *b) {
                return b->text() == w.dictionary().RightWord;
            });
            if (right == options.cend())
                qFatal("no option carries the right word");
            const auto start = Clock::now();
            w.btOptionClick(*right);
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
        auto *box = w.findChild<QLineEdit *>(QStringLiteral("edAnswer"));
        const auto answerWrong = [&] {
            box->setText(QString::number(w.task().RightAnswer + 1));
            w.edAnswerKeyDown(Qt::Key_Return);
        };
        for (int g = 0; g < GamesEnded; ++g) {
            if (!w.isGameRunning())
                w.btStartClick();
            for (int i = 1; i < WrongAnswersToEnd; ++i)
                answerWrong();
            const auto start = Clock::now();
            answerWrong();
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
    auto *timer = game.window->findChild<QTimer *>(QStringLiteral("Timer"));
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
