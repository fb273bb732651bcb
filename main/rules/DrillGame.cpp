// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/DrillGame.h"

#include <algorithm>
#include <cmath>

void DrillGame::start(TDateTime now)
{
    m_state.Score = 0;
    m_state.Answers = 0;
    m_state.Errors = 0;
    m_state.GameStart = now;
}

void DrillGame::rightAnswer()
{
    ++m_state.Answers;
    m_state.Score += isTimeBarFull() ? PointsLate : PointsInTime;
    m_timeBar = 0;
}

void DrillGame::wrongAnswer()
{
    ++m_state.Errors;
    m_state.Mistakes += MistakesPerWrongAnswer;
}

qint32 DrillGame::pace(TDateTime now) const
{
    const auto minutes = static_cast<qint32>(std::fabs(now - m_state.GameStart) * MinutesPerDay);
    return StartingPace + PaceGainPerMinute * minutes;
}

void DrillGame::tick(TDateTime now)
{
    if (isTimeBarFull())
        m_state.Mistakes += MistakesPerFullTick;
    else // the bar holds at its maximum, as the progress bar shows it
        m_timeBar = std::min(m_timeBar + pace(now), BarMaximum);
}

void DrillGame::end(TDateTime now)
{
    m_state.GameEnd = now;
    m_timeBar = 0;
}
