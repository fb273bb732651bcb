#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QLocale>

#include "HiScore/TfmHiScore.h"
#include "main/rules/TypedAnswer.h"
#include "ui/Platform.h"

namespace {

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
    m_drill.clearMistakes();
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

    m_drill.start(platform().now());
    ui->lbScore->show();
    AddScore(0);

    ui->edAnswer->clear();

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
            wrongAnswerSteps();
    } catch (...) {
        // Errors while a typed answer is checked end its handling silently.
    }
    return true;
}

void TfmMain::rightAnswerSteps()
{
    ui->lbTime->setCaption(minutesSecondsText(platform().now() - m_task.TaskStart));
    m_drill.countRightAnswer();
    ui->lbAnswers->setCaption(QString::number(game().Answers));
    NextTask();
    AddScore(m_drill.points());
    m_drill.restartTimeBar();
    ui->prbCurrent->setPosition(m_drill.timeBar());
}

// Typed or clicked alike. The task is marked failed before the mistakes are added: they may end
// the game, whose end shows the failed task.
void TfmMain::wrongAnswerSteps()
{
    PlayBadSound(1);
    m_task.TaskFailed = 1;
    m_drill.countWrongAnswer();
    AddMistakes(DrillGame::MistakesPerWrongAnswer);
}

void TfmMain::TimerTimer()
{
    if (!isGameRunning())
        return;
    const TDateTime now = platform().now();
    if (const qint32 mistakes = m_drill.tick(now); mistakes > 0)
        AddMistakes(mistakes);
    else
        ui->prbCurrent->setPosition(m_drill.timeBar());
    ui->StatusBar->setPanelText(0, clockText(now - game().GameStart, QLocale()));
}

void TfmMain::AddMistakes(qint32 n)
{
    m_drill.addMistakes(n);
    ui->prbMistakes->setPosition(game().Mistakes);
    if (m_drill.mistakesFull() && isGameRunning())
        endGame();
}

void TfmMain::AddScore(qint32 n)
{
    m_drill.addScore(n);
    ui->lbScore->setCaption(QString::number(game().Score));
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

    m_drill.restartTimeBar();
    ui->prbCurrent->setPosition(m_drill.timeBar());
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
