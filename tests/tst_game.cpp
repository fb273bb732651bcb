// A whole arithmetic game through the real window: start, typed answers, the clock, the two
// bars, the score and the end of a game, with a fake clock and no real pause.
#include <QCheckBox>
#include <QFrame>
#include <QTest>

#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"
#include "ui/AutoSizeLabel.h"
#include "ui/PanelStatusBar.h"
#include "ui/ProgressBar.h"

namespace {

constexpr double SecondsPerMinute = 60;

int barPosition(const TfmMain &window, const char *name)
{
    return control<ProgressBar>(window, name)->position();
}

QString caption(const TfmMain &window, const char *name)
{
    return control<QLabel>(window, name)->text();
}

// A window with an arithmetic game running.
struct Game {
    explicit Game(ExerciseKind kind = ExerciseKind::Addition)
    {
        selectKind(window, kind);
        window.btStartClick();
        if (!window.isGameRunning())
            qFatal("the game did not start");
    }
    AppSandbox sandbox;
    TfmMain window;
};

} // namespace

class GameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void startSetsUpGame();
    void tenWrongAnswersEndGame();
    void endSequenceFlashesRedDuringPause();
    void ticksFillTimeBarThenMistakes();
    void paceGrowsWithMinutes_data();
    void paceGrowsWithMinutes();
    void pointsDependOnTimeBar();
    void rightAnswerShowsTimeAndCount();
    void gameClockOnEveryTick();
    void enterHandling_data();
    void enterHandling();
    void enterIsKeptOutOfTheBox();
    void elevenNinesChangeNothing();
    void mistakesCarryPastFull();
    void noKindStartsNoGame();
    void badRangeStartsNoGame();
    void inputAfterEndIsIgnored();
    void newGameKeepsPreviousCountsUntilFirstAnswer();
};

void GameTest::startSetsUpGame()
{
    Game g;
    TfmMain &w = g.window;
    QVERIFY(control(w, "btStart")->isHidden());
    QVERIFY(!control(w, "edAnswer")->isHidden());
    QVERIFY(control(w, "btOption1")->isHidden());
    QVERIFY(!control(w, "lbScore")->isHidden());
    QCOMPARE(caption(w, "lbScore"), QStringLiteral("0"));
    QCOMPARE(barPosition(w, "prbMistakes"), 0);
    QCOMPARE(w.session().game().GameStart, g.sandbox.platform.clock);
    for (const char *locked : {"cmbAction", "edMin", "edMax"})
        QVERIFY(!control(w, locked)->isEnabled());
    QVERIFY(control<QLineEdit>(w, "edAnswer")->text().isEmpty());
}

void GameTest::tenWrongAnswersEndGame()
{
    Game g;
    TfmMain &w = g.window;
    for (int i = 0; i < 9; ++i)
        answerWrong(w);
    QVERIFY(w.isGameRunning());
    QCOMPARE(w.session().game().Mistakes, 900);
    QCOMPARE(barPosition(w, "prbMistakes"), 900);
    QVERIFY(w.session().task().TaskFailed);

    answerWrong(w);
    QVERIFY(!w.isGameRunning());
    QCOMPARE(w.session().game().Errors, 10); // the answer that ends the game counts
    QCOMPARE(w.session().game().Mistakes, 1000);
    QCOMPARE(barPosition(w, "prbCurrent"), 0);
    QVERIFY(!control(w, "btStart")->isHidden());
    QVERIFY(control(w, "edAnswer")->isHidden());
    for (const char *unlocked : {"cmbAction", "edMin", "edMax"})
        QVERIFY(control(w, unlocked)->isEnabled());
    QCOMPARE(g.sandbox.platform.pauses, std::vector<int>{1000});
}

void GameTest::endSequenceFlashesRedDuringPause()
{
    Game g;
    TfmMain &w = g.window;
    bool redDuringPause = false;
    bool timerOffDuringPause = false;
    g.sandbox.platform.onPause = [&] {
        const auto *box = control<QFrame>(w, "redBox");
        redDuringPause = !box->isHidden() && box->palette().color(QPalette::Window) == Qt::red;
        timerOffDuringPause = !w.isGameRunning();
    };
    for (int i = 0; i < 10; ++i)
        answerWrong(w);
    QVERIFY(redDuringPause);
    QVERIFY(timerOffDuringPause);
    QVERIFY(control(w, "redBox")->isHidden());
}

void GameTest::ticksFillTimeBarThenMistakes()
{
    Game g;
    TfmMain &w = g.window;
    for (int tick = 1; tick <= 66; ++tick)
        w.TimerTimer();
    QCOMPARE(barPosition(w, "prbCurrent"), 990);
    w.TimerTimer();
    QCOMPARE(barPosition(w, "prbCurrent"), 1000); // full after the 67th tick
    QCOMPARE(w.session().game().Mistakes, 0);

    for (int tick = 1; tick < 1000; ++tick)
        w.TimerTimer();
    QVERIFY(w.isGameRunning());
    QCOMPARE(w.session().game().Mistakes, 999);
    w.TimerTimer();
    QVERIFY(!w.isGameRunning());
    QCOMPARE(w.session().game().Mistakes, 1000);
    QCOMPARE(w.session().game().Errors, 0);
}

void GameTest::paceGrowsWithMinutes_data()
{
    QTest::addColumn<double>("minutes");
    QTest::addColumn<int>("gain");
    QTest::addRow("first_minute") << 0.99 << 15;
    QTest::addRow("second_minute") << 1.0 << 17;
    QTest::addRow("after_five") << 5.5 << 25;
    QTest::addRow("after_ten") << 10.0 << 35;
}

void GameTest::paceGrowsWithMinutes()
{
    QFETCH(double, minutes);
    QFETCH(int, gain);
    Game g;
    g.sandbox.platform.advanceSeconds(minutes * SecondsPerMinute);
    g.window.TimerTimer();
    QCOMPARE(barPosition(g.window, "prbCurrent"), gain);
}

void GameTest::pointsDependOnTimeBar()
{
    Game g;
    TfmMain &w = g.window;
    answerRight(w);
    QCOMPARE(w.session().game().Score, 3);
    for (int tick = 0; tick < 67; ++tick)
        w.TimerTimer();
    QCOMPARE(barPosition(w, "prbCurrent"), 1000);
    answerRight(w);
    QCOMPARE(w.session().game().Score, 4);
    QCOMPARE(caption(w, "lbScore"), QStringLiteral("4"));
    QCOMPARE(barPosition(w, "prbCurrent"), 0); // reset for the next task
    QCOMPARE(w.session().game().Answers, 2);
}

void GameTest::rightAnswerShowsTimeAndCount()
{
    Game g;
    TfmMain &w = g.window;
    g.sandbox.platform.advanceSeconds(65);
    const int before = w.session().task().RightAnswer;
    answerRight(w);
    QCOMPARE(caption(w, "lbTime"), QStringLiteral("01.05"));
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("1"));
    QCOMPARE(w.session().task().TaskStart, g.sandbox.platform.clock); // the next task starts now
    QVERIFY(!w.session().task().TaskFailed);
    Q_UNUSED(before);
}

void GameTest::gameClockOnEveryTick()
{
    Game g;
    auto *status = control<PanelStatusBar>(g.window, "StatusBar");
    g.sandbox.platform.advanceSeconds(3600 + 2 * 60 + 3);
    g.window.TimerTimer();
    QCOMPARE(status->panelText(0), QStringLiteral("01:02:03"));
    QVERIFY(status->panelText(1).isEmpty());
}

void GameTest::enterHandling_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("rightAnswer");
    QTest::addColumn<bool>("right");
    QTest::addRow("minus_ignored") << "-5" << 5 << true;
    QTest::addRow("blanks_ignored") << " 5 " << 5 << true;
    QTest::addRow("digits_joined") << "1 2" << 12 << true;
    QTest::addRow("leading_zeros") << "007" << 7 << true;
    QTest::addRow("empty_is_zero") << "" << 0 << true;
    QTest::addRow("letters_are_zero") << "abc" << 0 << true;
    QTest::addRow("wrong") << "6" << 5 << false;
}

void GameTest::enterHandling()
{
    QFETCH(QString, typed);
    QFETCH(int, rightAnswer);
    QFETCH(bool, right);
    // A range of one number gives a known answer: 1-1 is 0, and 5+0 cannot happen, so
    // use subtraction for 0 and addition for other answers.
    AppSandbox sandbox;
    TfmMain w;
    selectKind(w, rightAnswer == 0 ? ExerciseKind::Subtraction : ExerciseKind::Addition);
    const QString bound = rightAnswer == 0 ? QStringLiteral("1") : QString::number(rightAnswer);
    setRange(w, bound, bound);
    w.btStartClick();
    QVERIFY(w.isGameRunning());
    QCOMPARE(w.session().task().RightAnswer, rightAnswer);

    typeAnswer(w, typed);
    QCOMPARE(w.session().game().Answers, right ? 1 : 0);
    QCOMPARE(w.session().game().Errors, right ? 0 : 1);
    QCOMPARE(w.session().game().Mistakes, right ? 0 : 100);
    QVERIFY(control<QLineEdit>(w, "edAnswer")->text().isEmpty());
}

void GameTest::enterIsKeptOutOfTheBox()
{
    Game g;
    auto *box = control<QLineEdit>(g.window, "edAnswer");
    const int answer = g.window.session().task().RightAnswer;
    QTest::keyClicks(box, QString::number(answer));
    QCOMPARE(box->text(), QString::number(answer));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(g.window.session().game().Answers, 1);
    QVERIFY(box->text().isEmpty());
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Enter); // keypad Enter
    QVERIFY(box->text().isEmpty());
    QCOMPARE(g.window.session().game().Answers + g.window.session().game().Errors, 2);
}

void GameTest::elevenNinesChangeNothing()
{
    Game g;
    const QString nines = QStringLiteral("99999999999");
    typeAnswer(g.window, nines);
    QCOMPARE(control<QLineEdit>(g.window, "edAnswer")->text(), nines);
    QCOMPARE(g.window.session().game().Errors, 0);
    QCOMPARE(g.window.session().game().Answers, 0);
    QCOMPARE(g.window.session().game().Mistakes, 0);
}

void GameTest::mistakesCarryPastFull()
{
    Game g;
    TfmMain &w = g.window;
    for (int i = 0; i < 9; ++i)
        answerWrong(w);
    for (int tick = 0; tick < 67 + 50; ++tick)
        w.TimerTimer();
    QCOMPARE(w.session().game().Mistakes, 950);
    answerWrong(w);
    QVERIFY(!w.isGameRunning());
    QCOMPARE(w.session().game().Mistakes, 1050);
    QCOMPARE(barPosition(w, "prbMistakes"), 1000);
}

void GameTest::noKindStartsNoGame()
{
    AppSandbox sandbox;
    TfmMain w;
    w.btStartClick();
    QVERIFY(!w.isGameRunning());
    QCOMPARE(sandbox.platform.messages, QStringList{QStringLiteral("Выберите действие.")});
    QVERIFY(!control(w, "btStart")->isHidden());
    QVERIFY(control(w, "edAnswer")->isHidden());
}

void GameTest::badRangeStartsNoGame()
{
    AppSandbox sandbox;
    TfmMain w;
    selectKind(w, ExerciseKind::Addition);
    setRange(w, QStringLiteral("abc"), QStringLiteral("30"));
    w.btStartClick();
    QVERIFY(!w.isGameRunning());
    QCOMPARE(sandbox.platform.messages.size(), 1);
    QVERIFY(!control(w, "btStart")->isHidden());
    // No answer can be given outside a game.
    QVERIFY(control(w, "edAnswer")->isHidden());
    typeAnswer(w, QStringLiteral("0"));
    QCOMPARE(w.session().game().Errors + w.session().game().Answers, 0);
}

void GameTest::inputAfterEndIsIgnored()
{
    Game g;
    TfmMain &w = g.window;
    for (int i = 0; i < 10; ++i)
        answerWrong(w);
    QVERIFY(!w.isGameRunning());
    const GameState ended = w.session().game();
    answerWrong(w);
    w.TimerTimer();
    QCOMPARE(w.session().game().Errors, ended.Errors);
    QCOMPARE(w.session().game().Mistakes, ended.Mistakes);
    QCOMPARE(g.sandbox.platform.pauses.size(), std::size_t(1)); // the end ran once
}

void GameTest::newGameKeepsPreviousCountsUntilFirstAnswer()
{
    Game g;
    TfmMain &w = g.window;
    answerRight(w);
    answerRight(w);
    for (int i = 0; i < 10; ++i)
        answerWrong(w);
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("2"));
    w.btStartClick();
    QVERIFY(w.isGameRunning());
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("2"));
    QCOMPARE(w.session().game().Answers, 0);
    QCOMPARE(barPosition(w, "prbMistakes"), 0);
    answerRight(w);
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("1"));
}

QTEST_MAIN(GameTest)
#include "tst_game.moc"
