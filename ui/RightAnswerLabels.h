// SPDX-License-Identifier: GPL-3.0-or-later
// The right-answer labels of a dictionary game: one hidden label on the window for every task
// the child first answered wrongly, "question - answer", shown when the game ends. They are
// found again among the window's children by the prefix of their names.
#pragma once

#include <QStringList>

#include <vector>

class AutoSizeLabel;
class QWidget;

// Label `number` (counted from 1) of the game, made hidden at its place in the list.
AutoSizeLabel *AddRightAnswerLabel(QWidget &window, const QString &text, int number);

std::vector<AutoSizeLabel *> rightAnswerLabels(const QWidget &window);

// Makes the labels of the texts not yet shown; when the texts are fewer than the labels (a new
// game), the labels of the last game go first.
void syncRightAnswerLabels(QWidget &window, const QStringList &texts);
