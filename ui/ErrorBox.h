// SPDX-License-Identifier: GPL-3.0-or-later
// The error box that reports an error no handler caught: the error's text with a full stop
// added when its last character sorts after "." (ui/rules/WindowTexts.h), an error icon, OK,
// and the application title.
#pragma once

#include <QString>

void showErrorBox(const QString &message);
