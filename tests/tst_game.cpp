// SPDX-License-Identifier: GPL-3.0-or-later
// An arithmetic game as the window shows it: the controls at the start, the answer box and its
// keys, the two bars, the score, the clock and the end of a game, with a fake clock and no real
// pause. The rules of the game itself are the drill session's (tst_drillsession).
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
    void pointsDependOnTimeBar();
    void rightAnswerShowsTimeAndCount();
    void gameClockOnEveryTick();
    void enterIsKeptOutOfTheBox();
    void noKindStartsNoGame();
    void badRangeStartsNoGame();
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
    QCOMPARE(barPosition(w, "prbMistakes"), 900);
    answerWrong(w);
    QVERIFY(!w.isGameRunning());
    QCOMPARE(barPosition(w, "prbCurrent"), 0);
    QVERIFY(!control(w, "btStart")->isHidden());
    QVERIFY(control(w, "edAnswer")->isHidden());
    for (const char *unlocked : {"cmbAction", "edMin", "edMax"})
        QVERIFY(control(w, unlocked)->isEnabled());
    QCOMPARE(g.sandbox.platform.pauses, std::vector<int>{1000});
    // Answers and ticks after the end run no second end.
    answerWrong(w);
    w.TimerTimer();
    QCOMPARE(g.sandbox.platform.pauses.size(), std::size_t(1));
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

void GameTest::pointsDependOnTimeBar()
{
    Game g;
    TfmMain &w = g.window;
    answerRight(w);
    QCOMPARE(caption(w, "lbScore"), QStringLiteral("3"));
    for (int tick = 0; tick < 67; ++tick)
        w.TimerTimer();
    QCOMPARE(barPosition(w, "prbCurrent"), 1000);
    answerRight(w);
    QCOMPARE(caption(w, "lbScore"), QStringLiteral("4"));
    QCOMPARE(barPosition(w, "prbCurrent"), 0); // reset for the next task
}

void GameTest::rightAnswerShowsTimeAndCount()
{
    Game g;
    TfmMain &w = g.window;
    g.sandbox.platform.advanceSeconds(65);
    answerRight(w);
    QCOMPARE(caption(w, "lbTime"), QStringLiteral("01.05"));
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("1"));
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
    // Digits beyond the 32-bit range are no answer: the box keeps them.
    QTest::keyClicks(box, QStringLiteral("99999999999"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("99999999999"));
    QCOMPARE(g.window.session().game().Answers + g.window.session().game().Errors, 2);

    // An error while a typed answer is handled is shown, as on every other path: here the
    // ranking at the end of the game cannot read a range box.
    control<QLineEdit>(g.window, "edMax")->setText(QStringLiteral("abc"));
    while (g.window.isGameRunning()) {
        box->setText(QString::number(g.window.session().task().RightAnswer + 1));
        QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(g.sandbox.platform.errors,
             QStringList{QStringLiteral("'abc' is not a valid integer value.")});
    QCOMPARE(g.window.records().size(), std::size_t(1));
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
    QCOMPARE(
        sandbox.platform.messages,
        QStringList{QStringLiteral("Неверно заданы параметры от скольки и до скольки примеры.")});
    QCOMPARE(caption(w, "lbTextPraxis"), QStringLiteral("H")); // the task on show stays
    QVERIFY(!control(w, "btStart")->isHidden());
    QVERIFY(control(w, "edAnswer")->isHidden());
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
    QCOMPARE(barPosition(w, "prbMistakes"), 0);
    answerRight(w);
    QCOMPARE(caption(w, "lbAnswers"), QStringLiteral("1"));
}

QTEST_MAIN(GameTest)
#include "tst_game.moc"
