// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QKeyEvent>
#include <QLocale>

#include <array>

#include "main/rules/Dictionary.h"
#include "main/rules/TypedAnswer.h"
#include "ui/AutoSizeLabel.h"
#include "ui/DataLocations.h"
#include "ui/EventGuard.h"
#include "ui/Platform.h"
#include "ui/RightAnswerLabels.h"
#include "ui/WaitCursor.h"
#include "ui/WideButton.h"

namespace {

constexpr int EndFlashMs = 1000;
const QString NoKindMessage = QStringLiteral("Выберите действие.");
const QString BadRangeMessage =
    QStringLiteral("Неверно заданы параметры от скольки и до скольки примеры.");

const QString EveryFile = QStringLiteral("*");
constexpr int DicFilesTop = 12; // the row of the range boxes
// btOption1 to btOption4, in the order that a draw or a key numbers them.
std::array<WideButton *, OptionCount> numberedOptions(const Ui::TfmMain &ui)
{
    return {ui.btOption1, ui.btOption2, ui.btOption3, ui.btOption4};
}

// Index of the option button that a key clicks, or -1. Keypad digits count too.
int optionIndexForKey(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers others = event.modifiers() & ~Qt::KeypadModifier;
    if (others != Qt::NoModifier || event.key() < Qt::Key_1 || event.key() > Qt::Key_4)
        return -1;
    return event.key() - Qt::Key_1;
}

} // namespace

void TfmMain::cmbActionChange()
{
    const bool foreign = exerciseKind() == ExerciseKind::ForeignLanguage;
    for (QWidget *range :
         std::initializer_list<QWidget *>{ui->lbMin, ui->lbMax, ui->edMin, ui->edMax})
        range->setVisible(!foreign);
    ui->cmbDicFiles->setVisible(foreign);
    ui->cbReverse->setVisible(foreign);
    if (!foreign)
        return;

    ui->cmbDicFiles->move(ui->cmbDicFiles->x(), DicFilesTop);
    ui->cmbDicFiles->clear();
    // The list shows readable names and keeps with each the path that opens it by its real
    // bytes.
    for (const ContentFile &file : listContent(Content::Dictionaries, EveryFile))
        ui->cmbDicFiles->addItem(file.name, file.path);
    // The system's word lists cost a start-up on a cold disk a noticeable pause: they come when
    // the list is opened. With no file of its own there is nothing else to choose, so they come
    // now.
    m_wordListsPending = ui->cmbDicFiles->count() > 0;
    if (!m_wordListsPending)
        appendWordLists();
    if (ui->cmbDicFiles->count() > 0)
        ui->cmbDicFiles->setCurrentIndex(0);
}

void TfmMain::cmbDicFilesDropDown()
{
    if (!m_wordListsPending)
        return;
    // Cleared first: a failure is shown once, not at every opening.
    m_wordListsPending = false;
    appendWordLists();
}

// Added after the current item, they leave the selection as it is.
void TfmMain::appendWordLists()
{
    const WaitCursor wait;
    for (const ContentFile &file : listWordLists())
        ui->cmbDicFiles->addItem(file.name, file.path);
}

void TfmMain::LoadDictionary()
{
    // With no file listed the path names the folder itself, which cannot be read either.
    const QVariant listed = ui->cmbDicFiles->currentData();
    m_session.loadDictionary(listed.isValid() ? listed.toString()
                                              : contentFilePath(Content::Dictionaries, QString()));
}

bool TfmMain::NextTask()
{
    if (!m_session.nextTask(settings(), platform().now())) {
        platform().showMessage(BadRangeMessage);
        return false;
    }
    refreshControls();
    return true;
}

// A game is started only once its first task is made: until then no answer can be given, and
// a start that fails leaves no game behind.
void TfmMain::btStartClick()
{
    // A game of no kind would only ever repeat the task on show.
    if (exerciseKind() == ExerciseKind::None) {
        platform().showMessage(NoKindMessage);
        return;
    }
    // The game will end in the records: their files are read now, not in a tick.
    readResults();
    m_session.prepareStart();
    refreshControls();
    if (exerciseKind() == ExerciseKind::ForeignLanguage)
        LoadDictionary();
    if (!NextTask())
        return;
    m_session.beginGame(exerciseKind(), platform().now());
    ui->edAnswer->clear();
    refreshControls();
    // Keys 1 to 4 answer through the window; the dictionary list must not take them.
    if (exerciseKind() == ExerciseKind::ForeignLanguage)
        ui->btOption1->setFocus();
    else
        ui->edAnswer->setFocus();
}

bool TfmMain::edAnswerKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // The key is consumed here, so the box never receives the Enter character. Digits beyond
    // the 32-bit range are no answer: the box keeps them.
    const std::optional<qint32> answer = parseTypedAnswer(ui->edAnswer->text());
    if (!isGameRunning() || !answer)
        return true;
    ui->edAnswer->clear();
    if (m_session.answerTyped(*answer, settings(), platform().now()) == DrillSession::Answer::Wrong)
        PlayBadSound(1);
    showGameEvent(true);
    return true;
}

void TfmMain::btOptionClick(WideButton *sender)
{
    if (sender == nullptr)
        return;
    const bool wasRunning = isGameRunning();
    if (m_session.answerOption(sender->text(), settings(), platform().now()) ==
        DrillSession::Answer::Wrong)
        PlayBadSound(1);
    showGameEvent(wasRunning);
}

void TfmMain::keyPressEvent(QKeyEvent *event)
{
    const int index = optionIndexForKey(*event);
    if (index < 0 || !isGameRunning() || exerciseKind() != ExerciseKind::ForeignLanguage) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key would otherwise answer again and again, which no mouse click can do.
    if (event->isAutoRepeat())
        return;
    WideButton *button = numberedOptions(*ui).at(static_cast<std::size_t>(index));
    guarded([this, button] { btOptionClick(button); });
}

void TfmMain::TimerTimer()
{
    const bool wasRunning = isGameRunning();
    m_session.tick(platform().now());
    showGameEvent(wasRunning);
}

void TfmMain::showGameEvent(bool wasRunning)
{
    refreshControls();
    if (wasRunning && !isGameRunning())
        endGame();
}

void TfmMain::endGame()
{
    StoreGameResult(NewResName);
    for (AutoSizeLabel *label : rightAnswerLabels(*this))
        label->show();

    ui->redBox->show();
    // The thread blocks next, so paint now for the child to see the flash.
    repaint();
    platform().pause(EndFlashMs);
    ui->redBox->hide();

    if (RankRecords())
        showRecordsWindow();
}

void TfmMain::refreshControls()
{
    const GameState &game = m_session.game();
    if (m_shownTask != m_session.taskNumber()) {
        m_shownTask = m_session.taskNumber();
        showTask();
        // The score is centred for the text it holds before this answer's points are shown.
        centreHorizontally(*ui->lbTextPraxis);
        centreHorizontally(*ui->lbScore);
    }
    if (m_session.hasStarted()) {
        ui->lbScore->show();
        ui->lbScore->setCaption(QString::number(game.Score));
    }
    if (const auto &right = m_session.lastRightAnswer()) {
        ui->lbTime->setCaption(minutesSecondsText(right->time));
        ui->lbAnswers->setCaption(QString::number(right->answers));
    }
    if (const auto &played = m_session.playedTime())
        ui->StatusBar->setPanelText(0, clockText(*played, QLocale()));
    ui->prbMistakes->setPosition(game.Mistakes);
    ui->prbCurrent->setPosition(m_session.timeBar());

    const bool running = isGameRunning();
    ui->btStart->setVisible(!running);
    for (QWidget *setting : std::initializer_list<QWidget *>{ui->cmbAction, ui->edMin, ui->edMax})
        setting->setEnabled(!running);
    const bool foreign = exerciseKind() == ExerciseKind::ForeignLanguage;
    ui->edAnswer->setVisible(running && !foreign);
    for (WideButton *button : numberedOptions(*ui))
        button->setVisible(running && foreign);
    syncRightAnswerLabels(*this, m_session.failedTasks());
    if (running != m_timer.isActive())
        running ? m_timer.start() : m_timer.stop();
}

void TfmMain::showTask()
{
    if (const auto &caption = m_session.caption())
        ui->lbTextPraxis->setCaption(*caption);
    if (const auto &size = m_session.captionPointSize();
        size && *size != ui->lbTextPraxis->font().pointSize()) {
        QFont font = ui->lbTextPraxis->font();
        font.setPointSize(*size);
        ui->lbTextPraxis->setFont(font);
    }
    const auto &options = m_session.options();
    if (!options)
        return;
    const auto buttons = numberedOptions(*ui);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const std::optional<QString> &text = (*options)[i];
        buttons[i]->showOption(text, optionFontSize(text.value_or(QString()).size()));
    }
}
