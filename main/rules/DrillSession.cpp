// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/DrillSession.h"

#include <algorithm>
#include <array>

#include "main/rules/ArithmeticTask.h"
#include "main/rules/CategoryCode.h"
#include "main/rules/Dictionary.h"
#include "rules/StrToInt.h"

namespace {

const QString FailedTaskSeparator = QStringLiteral(" - ");

// The operations of each arithmetic kind, in pairs. A kind of one pair draws the operation
// within it; "any operation" first draws the pair, then the operation within it.
constexpr int PairSize = 2;

struct KindOperations {
    ExerciseKind kind;
    int count;
    std::array<Operation, 2 * PairSize> operations;
};

constexpr std::array<KindOperations, 7> ArithmeticKinds{{
    {ExerciseKind::Addition, 1, {Operation::Addition}},
    {ExerciseKind::Subtraction, 1, {Operation::Subtraction}},
    {ExerciseKind::AdditionOrSubtraction, 2, {Operation::Addition, Operation::Subtraction}},
    {ExerciseKind::Multiplication, 1, {Operation::Multiplication}},
    {ExerciseKind::Division, 1, {Operation::Division}},
    {ExerciseKind::MultiplicationOrDivision, 2, {Operation::Multiplication, Operation::Division}},
    {ExerciseKind::AnyOperation,
     4,
     {Operation::Addition, Operation::Subtraction, Operation::Multiplication, Operation::Division}},
}};

const KindOperations *arithmeticKind(ExerciseKind kind)
{
    const auto *found = std::find_if(ArithmeticKinds.cbegin(), ArithmeticKinds.cend(),
                                     [kind](const KindOperations &k) { return k.kind == kind; });
    return found == ArithmeticKinds.cend() ? nullptr : found;
}

// A mixed kind needs a range that suits every operation it can draw.
bool rangeSuits(const KindOperations &kind, qint32 minValue, qint32 maxValue)
{
    return std::all_of(kind.operations.cbegin(), kind.operations.cbegin() + kind.count,
                       [=](Operation o) { return rangeSuitsOperation(o, minValue, maxValue); });
}

Operation drawOperation(const KindOperations &kind, RandomGenerator &random)
{
    if (kind.count == 1)
        return kind.operations[0];
    const int pair = kind.count > PairSize ? random.next(kind.count / PairSize) : 0;
    return kind.operations[std::size_t(pair * PairSize + random.next(PairSize))];
}

} // namespace

qint32 categoryCodeOf(const DrillSettings &settings)
{
    return categoryCode(static_cast<int>(settings.kind), settings.dictionaryFile,
                        settings.reversed);
}

RecordCategory categoryOf(const DrillSettings &settings)
{
    const qint32 maxValue = strToInt(settings.maxText);
    const qint32 minValue = strToInt(settings.minText);
    return {minValue, maxValue, categoryCodeOf(settings)};
}

bool DrillSession::nextTask(const DrillSettings &settings, TDateTime now)
{
    m_task.TaskFailed = false;
    const auto maxValue = tryStrToInt(settings.maxText);
    const auto minValue = tryStrToInt(settings.minText);
    const KindOperations *arithmetic = arithmeticKind(settings.kind);
    // A range that makes the kind's tasks meaningless is refused like one that is no number.
    if (!maxValue || !minValue || (arithmetic && !rangeSuits(*arithmetic, *minValue, *maxValue)))
        return false;
    m_task.MaxValue = *maxValue;
    m_task.MinValue = *minValue;
    m_task.TaskStart = now;

    if (arithmetic) {
        const Operation operation = drawOperation(*arithmetic, m_random);
        const ArithmeticTask task = makeArithmeticTask(operation, *minValue, *maxValue, m_random);
        m_task.Operation = static_cast<qint32>(operation);
        m_task.RightAnswer = task.answer;
        m_caption = task.caption;
    } else {
        m_task.Operation = categoryCodeOf(settings);
        if (settings.kind == ExerciseKind::ForeignLanguage)
            makeDictionaryTask(settings.reversed);
    }
    ++m_taskNumber;
    return true;
}

void DrillSession::makeDictionaryTask(bool reversed)
{
    m_caption = NoEntriesCaption;
    if (m_dictionary.DicLines.isEmpty())
        return;
    const DictionaryTask task = drawDictionaryTask(m_dictionary.DicLines, reversed, m_random);
    m_dictionary.RightWord = task.rightWord;
    m_caption = task.question;
    m_captionPointSize = taskFontSize(task.question.size());
    m_options = task.options;
}

void DrillSession::prepareStart()
{
    m_game.clearMistakes();
    m_failedTasks.clear();
}

void DrillSession::loadDictionary(const QString &path)
{
    m_dictionary.DicLines.clear();
    m_dictionary.DicLines = loadDictionaryLines(path);
}

void DrillSession::beginGame(ExerciseKind kind, TDateTime now)
{
    m_game.start(now);
    m_gameKind = kind;
    m_running = true;
    m_hasStarted = true;
}

DrillSession::Answer DrillSession::answerTyped(qint32 answer, const DrillSettings &settings,
                                               TDateTime now)
{
    if (!m_running)
        return Answer::Ignored;
    if (answer != m_task.RightAnswer) {
        wrongAnswerSteps(now);
        return Answer::Wrong;
    }
    rightAnswerSteps(settings, now);
    return Answer::Right;
}

DrillSession::Answer DrillSession::answerOption(const QString &caption,
                                                const DrillSettings &settings, TDateTime now)
{
    if (!m_running || m_gameKind != ExerciseKind::ForeignLanguage)
        return Answer::Ignored;
    if (caption != m_dictionary.RightWord) {
        wrongAnswerSteps(now);
        return Answer::Wrong;
    }
    if (m_task.TaskFailed)
        listFailedTask();
    rightAnswerSteps(settings, now);
    return Answer::Right;
}

void DrillSession::rightAnswerSteps(const DrillSettings &settings, TDateTime now)
{
    const TDateTime answerTime = now - m_task.TaskStart;
    // The range boxes are locked during a game: the range that started it still passes.
    nextTask(settings, now);
    m_game.rightAnswer();
    m_lastRightAnswer = RightAnswerFigures{m_game.state().Answers, answerTime};
}

// The task is marked failed before the mistakes are added: they may end the game, whose end
// lists the failed task.
void DrillSession::wrongAnswerSteps(TDateTime now)
{
    m_task.TaskFailed = true;
    m_game.wrongAnswer();
    endIfMistakesFull(now);
}

void DrillSession::tick(TDateTime now)
{
    if (!m_running)
        return;
    m_game.tick(now);
    m_playedTime = now - m_game.state().GameStart;
    endIfMistakesFull(now);
}

void DrillSession::endIfMistakesFull(TDateTime now)
{
    if (!m_game.mistakesFull())
        return;
    if (m_gameKind == ExerciseKind::ForeignLanguage && m_task.TaskFailed)
        listFailedTask();
    stop(now);
}

void DrillSession::stop(TDateTime now)
{
    if (!m_running)
        return;
    m_game.end(now);
    m_running = false;
}

void DrillSession::listFailedTask()
{
    m_failedTasks << m_caption.value_or(QString()) + FailedTaskSeparator + m_dictionary.RightWord;
}

FinishedGame DrillSession::finishedGame(const DrillSettings &settings) const
{
    const QString description = settings.kind == ExerciseKind::ForeignLanguage
                                    ? settings.action + QLatin1Char(' ') + settings.dictionaryFile
                                    : settings.action + QStringLiteral(" от ") + settings.minText +
                                          QStringLiteral(" до ") + settings.maxText;
    return {
        {m_task.MinValue, m_task.MaxValue, categoryCodeOf(settings)}, description, m_game.state()};
}
