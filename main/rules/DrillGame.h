// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a running game, without a widget: the time bar that fills at a pace growing with
// every whole minute, the mistakes (100 for a wrong answer, 1 for every tick while the time bar
// is full), the score (3 points while the time bar is not full, 1 after), the counts of answers,
// and the end when the mistakes reach the bar's maximum.
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

    // The mistakes are cleared before the first task of a game is made, the rest when the game
    // really starts.
    void clearMistakes() { m_state.Mistakes = 0; }
    void start(TDateTime now);

    // Counted and scored by the time bar as it stands; the time bar then restarts.
    void rightAnswer();
    void wrongAnswer();
    // The time bar grows by the pace while it is not full; a tick on a full bar is a mistake.
    void tick(TDateTime now);
    // The time bar's step at `now`: the starting pace and 2 more for every whole minute played.
    qint32 pace(TDateTime now) const;

    bool mistakesFull() const { return m_state.Mistakes >= BarMaximum; }
    void end(TDateTime now);

    qint32 timeBar() const { return m_timeBar; }
    bool isTimeBarFull() const { return m_timeBar >= BarMaximum; }
    const GameState &state() const { return m_state; }

private:
    GameState m_state;
    qint32 m_timeBar = 0;
};
