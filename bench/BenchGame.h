// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// The cost of one clock tick and one typed answer, and the timer's real rate.
void benchGameLoop(Report &report);
// The cost of one right option clicked in a vocabulary game.
void benchVocabularyAnswer(Report &report);
void benchGameEnd(Report &report);
void benchTimerRate(Report &report);
