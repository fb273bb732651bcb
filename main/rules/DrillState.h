// SPDX-License-Identifier: GPL-3.0-or-later
// The state of a drill, grouped by what owns it: the current task, the running game, and the
// dictionary in play. Field names are the main window's own.
#pragma once

#include <QString>
#include <QStringList>

#include "rules/DateTime.h"

// Exercise kinds: the items of cmbAction by index.
enum class ExerciseKind : int {
    None = -1,
    Addition = 0,
    Subtraction = 1,
    AdditionOrSubtraction = 2,
    Multiplication = 3,
    Division = 4,
    MultiplicationOrDivision = 5,
    AnyOperation = 6,
    ForeignLanguage = 7,
};

struct TaskState {
    qint32 MinValue = 0;
    qint32 MaxValue = 0;
    // 0 addition, 1 subtraction, 3 multiplication, 4 division; for the foreign-language kind the
    // category code; -1 when no exercise kind is selected.
    qint32 Operation = -1;
    qint32 RightAnswer = 0;
    TDateTime TaskStart = 0;
    // A wrong answer was given to the task on show.
    bool TaskFailed = false;
};

struct GameState {
    qint32 Mistakes = 0;
    qint32 Score = 0;
    TDateTime GameStart = 0;
    TDateTime GameEnd = 0;
    qint32 Answers = 0;
    qint32 Errors = 0;
};

struct DictionaryState {
    // The text the right option button carries.
    QString RightWord;
    // The entry lines of the loaded dictionary in file order, each whole with its TABs.
    QStringList DicLines;
};
