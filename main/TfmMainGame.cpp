#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QLocale>

#include <cmath>

#include "HiScore/TfmHiScore.h"
#include "main/rules/TypedAnswer.h"
#include "ui/Platform.h"

namespace {

constexpr qint32 MistakesPerWrongAnswer = 100;
constexpr qint32 MistakesPerFullTick = 1;
constexpr qint32 PointsInTime = 3;
constexpr qint32 PointsLate = 1;
constexpr qint32 StartingTimerStep = 15;
constexpr qint32 StepGainPerMinute = 2;
constexpr int EndFlashMs = 1000;
constexpr int EnterKeyCode = 13;

const QString NoKindMessage = QStringLiteral("Выберите действие.");

} // namespace

void TfmMain::setAnswerInputs(bool typed, bool options)
{
    ui->edAnswer->setVisible(typed);
    for (WideButton *button : optionButtons())
        button->setVisible(options);
}

void TfmMain::btStartClick()
{
    // A game of no kind would only ever repeat the task on show.
    if (exerciseKind() == ExerciseKind::None) {
        platform().showMessage(NoKindMessage);
        return;
    }

    // The game will end in the records: their files are read now, not in a tick.
    readResults();
    m_game.Mistakes = 0;
    AddMistakes(0);

    removeRightAnswerLabels();
    if (exerciseKind() == ExerciseKind::ForeignLanguage) {
        m_dictionary.RightAnswerLabels = 0;
        setAnswerInputs(false, true);
        // Keys 1 to 4 answer through the window; the dictionary list must not take them.
        ui->btOption1->setFocus();
        try {
            LoadDictionary();
        } catch (...) {
            setAnswerInputs(false, false);
            throw;
        }
    } else {
        setAnswerInputs(true, false);
        ui->edAnswer->setFocus();
    }

    if (!NextTask()) {
        // No answer may be given outside a game.
        setAnswerInputs(false, false);
        return;
    }

    ui->btStart->hide();
    m_timer.start();

    m_game.Score = 0;
    ui->lbScore->show();
    AddScore(0);

    m_game.Answers = 0;
    m_game.Errors = 0;

    ui->edAnswer->clear();

    m_game.GameStart = platform().now();
    m_game.TimerStep = StartingTimerStep;

    ui->cmbAction->setEnabled(false);
    ui->edMin->setEnabled(false);
    ui->edMax->setEnabled(false);
}

bool TfmMain::edAnswerKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != EnterKeyCode)
        return false;
    // The key is consumed here, so the box never receives the Enter character.
    if (!isGameRunning())
        return true;
    try {
        const std::optional<qint32> answer = parseTypedAnswer(ui->edAnswer->text());
        if (!answer)
            return true;
        ui->edAnswer->clear();
        if (*answer == m_task.RightAnswer)
            rightAnswerSteps();
        else
            wrongTypedAnswerSteps();
    } catch (...) {
        // Errors while a typed answer is checked end its handling silently.
    }
    return true;
}

void TfmMain::rightAnswerSteps()
{
    ui->lbTime->setCaption(minutesSecondsText(platform().now() - m_task.TaskStart));
    ++m_game.Answers;
    ui->lbAnswers->setCaption(QString::number(m_game.Answers));
    NextTask();
    AddScore(ui->prbCurrent->position() < ui->prbCurrent->maximum() ? PointsInTime : PointsLate);
    ui->prbCurrent->setPosition(0);
}

void TfmMain::wrongTypedAnswerSteps()
{
    PlayBadSound(1);
    ++m_game.Errors;
    AddMistakes(MistakesPerWrongAnswer);
    m_task.TaskFailed = 1;
}

void TfmMain::wrongOptionSteps()
{
    PlayBadSound(1);
    m_task.TaskFailed = 1;
    ++m_game.Errors;
    AddMistakes(MistakesPerWrongAnswer);
}

void TfmMain::TimerTimer()
{
    if (!isGameRunning())
        return;
    const TDateTime now = platform().now();
    const auto minutes = static_cast<qint32>(std::fabs(now - m_game.GameStart) * MinutesPerDay);
    if (ui->prbCurrent->position() < ui->prbCurrent->maximum())
        ui->prbCurrent->setPosition(ui->prbCurrent->position() + m_game.TimerStep +
                                    StepGainPerMinute * minutes);
    else
        AddMistakes(MistakesPerFullTick);
    ui->StatusBar->setPanelText(0, clockText(now - m_game.GameStart, QLocale()));
}

void TfmMain::AddMistakes(qint32 n)
{
    m_game.Mistakes += n;
    ui->prbMistakes->setPosition(m_game.Mistakes);
    if (m_game.Mistakes >= ui->prbMistakes->maximum() && isGameRunning())
        endGame();
}

void TfmMain::AddScore(qint32 n)
{
    m_game.Score += n;
    ui->lbScore->setCaption(QString::number(m_game.Score));
}

void TfmMain::endGame()
{
    if (exerciseKind() == ExerciseKind::ForeignLanguage && m_task.TaskFailed == 1)
        addFailedTaskLabel();

    ui->btStart->show();
    setAnswerInputs(false, false);
    ui->cmbAction->setEnabled(true);
    ui->edMin->setEnabled(true);
    ui->edMax->setEnabled(true);

    ui->prbCurrent->setPosition(0);
    m_timer.stop();

    StoreGameResult();
    showRightAnswerLabels();

    QPalette red = ui->redBox->palette();
    red.setColor(QPalette::Window, Qt::red);
    ui->redBox->setPalette(red);
    ui->redBox->show();
    // The thread blocks next, so paint now for the child to see the flash.
    repaint();
    platform().pause(EndFlashMs);
    ui->redBox->hide();

    if (RankRecords())
        showRecordsWindow();
}
