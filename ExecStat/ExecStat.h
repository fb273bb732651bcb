// SPDX-License-Identifier: GPL-3.0-or-later
// Saves and restores the state of a window's controls in one section of an INI file: the text
// of every edit box, the position of every up-down control, the selected index of every
// drop-down list and the mark of every check box, each under the control's name.
#pragma once

#include <QString>

class QWidget;

void SaveFormState(QWidget &owner, const QString &fileName, const QString &section);
void LoadFormState(QWidget &owner, const QString &fileName, const QString &section);
