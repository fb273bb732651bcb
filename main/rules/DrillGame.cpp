#include "main/rules/DrillGame.h"

#include <algorithm>
#include <cmath>

void DrillGame::start(TDateTime now)
{
    m_state.Score = 0;
    m_state.Answers = 0;
    m_state.Errors = 0;
    m_state.GameStart = now;
    m_state.TimerStep = StartingPace;
}

qint32 DrillGame::pace(TDateTime now) const
{
    const auto minutes = static_cast<qint32>(std::fabs(now - m_state.GameStart) * MinutesPerDay);
    return m_state.TimerStep + PaceGainPerMinute * minutes;
}

qint32 DrillGame::tick(TDateTime now)
{
    if (isTimeBarFull())
        return MistakesPerFullTick;
    // The bar holds at its maximum, as the progress bar shows it.
    m_timeBar = std::min(m_timeBar + pace(now), BarMaximum);
    return 0;
}
