// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the progress window «Успехи» through the progress module (a library beside the program,
// built from Progress/), loaded when the window is first asked for: Qt Charts and the OpenGL
// libraries behind it then cost the start-up nothing. The window runs on this program's platform
// seam and shows modally, over `parent` when there is one; the call returns when it is closed.
#pragma once

#include <QString>

class QWidget;

// The folder whose result files the window reads; empty for the program's own results folder.
// The module is looked for in the executable's folder unless another is given (the benchmark's).
// Throws Error when the module cannot be loaded.
void openProgressWindow(const QString &folder, QWidget *parent,
                        const QString &moduleFolder = QString());

// The module's entry, resolved by name: shows the window for the folder modally.
inline constexpr const char *ProgressEntryName = "tovelo2OpenProgress";
