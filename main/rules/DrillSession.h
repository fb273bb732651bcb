// SPDX-License-Identifier: GPL-3.0-or-later
// A drill as the main window runs it, without a widget: the task on show, the running game, the
// dictionary in play and the program's one random generator. The window passes its events in
// (a task to make, the start, a typed answer, a clicked option, a tick of the clock), each with
// the settings its controls hold at that moment, and then shows what the session holds. Every
// draw comes from the one generator in a fixed order, so a game from one seed is always the
// same, task for task.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "main/rules/CategoryRanking.h"
#include "main/rules/DictionaryTask.h"
#include "main/rules/DrillGame.h"
#include "main/rules/DrillState.h"
#include "rules/RandomGenerator.h"

// What the drill's controls hold.
struct DrillSettings {
    ExerciseKind kind = ExerciseKind::None;
    QString action; // the kind's caption
    QString minText;
    QString maxText;
    QString dictionaryFile; // as listed; empty when none is
    bool reversed = false;
};

// The category code the settings name (see CategoryCode.h).
qint32 categoryCodeOf(const DrillSettings &settings);
// The category of records the settings name; throws Error when a range box holds no integer.
RecordCategory categoryOf(const DrillSettings &settings);

// A finished game, as the records and the history keep it.
struct FinishedGame {
    RecordCategory category;
    QString description; // for example "Сложение от 1 до 30"
    GameState game;
};

class DrillSession {
public:
    static inline const QString NoEntriesCaption = QStringLiteral("dog");

    void seed(quint32 value) { m_random.seed(value); }
    // The wallpaper and the sound are drawn from the same generator as the tasks.
    RandomGenerator &random() { return m_random; }

    // The next task: the mark of a failed task is cleared, then the range read, the operation
    // drawn and the task made. False when the range is not a pair of integers that suits the
    // kind: nothing else changes then.
    bool nextTask(const DrillSettings &settings, TDateTime now);

    // The steps of a start, in the order the window takes them: the last game's mistakes and
    // failed tasks go, a dictionary game reads its dictionary (Error when it cannot: the
    // dictionary in play is empty then), and, once the first task is made, the game begins.
    void prepareStart();
    void loadDictionary(const QString &path);

    void beginGame(ExerciseKind kind, TDateTime now);

    // A wrong answer may end the game (isRunning()). An answer outside a game, or a click on an
    // option outside a dictionary game, belongs to no game and changes nothing.
    enum class Answer { Ignored, Right, Wrong };
    Answer answerTyped(qint32 answer, const DrillSettings &settings, TDateTime now);
    Answer answerOption(const QString &caption, const DrillSettings &settings, TDateTime now);
    void tick(TDateTime now);
    // The game ends where it is (the window is closed while it runs).
    void stop(TDateTime now);

    FinishedGame finishedGame(const DrillSettings &settings) const;

    bool isRunning() const { return m_running; }
    const TaskState &task() const { return m_task; }
    const GameState &game() const { return m_game.state(); }
    const DictionaryState &dictionary() const { return m_dictionary; }
    qint32 timeBar() const { return m_game.timeBar(); }

    // What the window shows. Each is empty until a task sets it; the options keep what the
    // last dictionary task with entries placed.
    const std::optional<QString> &caption() const { return m_caption; }
    const std::optional<int> &captionPointSize() const { return m_captionPointSize; }
    const std::optional<OptionTexts> &options() const { return m_options; }
    // Counts the tasks made, so that the window knows when one was.
    quint64 taskNumber() const { return m_taskNumber; }
    // The figures below the game keep their values from game to game until they change: the
    // score from the first start on, the count of right answers and the time the last one
    // took, and the time played at the last tick.
    bool hasStarted() const { return m_hasStarted; }
    struct RightAnswerFigures {
        qint32 answers = 0;
        TDateTime time = 0;
    };
    const std::optional<RightAnswerFigures> &lastRightAnswer() const { return m_lastRightAnswer; }
    const std::optional<TDateTime> &playedTime() const { return m_playedTime; }
    // The tasks of this game that were first answered wrongly, as "question - answer".
    const QStringList &failedTasks() const { return m_failedTasks; }

private:
    void makeDictionaryTask(bool reversed);
    void rightAnswerSteps(const DrillSettings &settings, TDateTime now);
    void wrongAnswerSteps(TDateTime now);
    void endIfMistakesFull(TDateTime now);
    void listFailedTask();

    RandomGenerator m_random;
    TaskState m_task;
    DrillGame m_game;
    DictionaryState m_dictionary;
    bool m_running = false;
    ExerciseKind m_gameKind = ExerciseKind::None;

    std::optional<QString> m_caption;
    std::optional<int> m_captionPointSize;
    std::optional<OptionTexts> m_options;
    quint64 m_taskNumber = 0;
    bool m_hasStarted = false;
    std::optional<RightAnswerFigures> m_lastRightAnswer;
    std::optional<TDateTime> m_playedTime;
    QStringList m_failedTasks;
};
