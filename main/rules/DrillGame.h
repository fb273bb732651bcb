// The rules of a running game, without a widget: the time bar that fills at a pace growing with
// every whole minute, the mistakes (100 for a wrong answer, 1 for every tick while the time bar
// is full), the score (3 points while the time bar is not full, 1 after), the counts of answers,
// and the end when the mistakes reach the bar's maximum. The main window's handlers tell it what
// happened and carry its figures to the controls.
#pragma once

#include "main/rules/DrillState.h"
#include "rules/DateTime.h"

class DrillGame {
public:
    // Both bars run from 0 to this.
    static constexpr qint32 BarMaximum = 1000;
    static constexpr qint32 MistakesPerWrongAnswer = 100;
    static constexpr qint32 MistakesPerFullTick = 1;
    static constexpr qint32 PointsInTime = 3;
    static constexpr qint32 PointsLate = 1;
    static constexpr qint32 StartingPace = 15;
    static constexpr qint32 PaceGainPerMinute = 2;

    // A new game from `now`: score, counts and pace start afresh. The mistakes are cleared
    // apart (clearMistakes), as the start clears them before it makes the first task.
    void start(TDateTime now);
    void clearMistakes() { m_state.Mistakes = 0; }

    // A right answer is counted; points() then gives what it earns, before the time bar
    // restarts (restartTimeBar).
    void countRightAnswer() { ++m_state.Answers; }
    qint32 points() const { return isTimeBarFull() ? PointsLate : PointsInTime; }
    void restartTimeBar() { m_timeBar = 0; }

    void countWrongAnswer() { ++m_state.Errors; }

    // One tick of the clock: the time bar grows by the pace while it is not full; returns the
    // mistakes the tick costs (one when it was full).
    qint32 tick(TDateTime now);
    // The time bar's step at `now`: the starting pace and 2 more for every whole minute played.
    qint32 pace(TDateTime now) const;

    void addMistakes(qint32 n) { m_state.Mistakes += n; }
    void addScore(qint32 n) { m_state.Score += n; }
    bool mistakesFull() const { return m_state.Mistakes >= BarMaximum; }

    void setGameEnd(TDateTime now) { m_state.GameEnd = now; }

    qint32 timeBar() const { return m_timeBar; }
    bool isTimeBarFull() const { return m_timeBar >= BarMaximum; }
    const GameState &state() const { return m_state; }

private:
    GameState m_state;
    qint32 m_timeBar = 0;
};
