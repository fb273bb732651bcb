// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the windows that follow from the executable and the error alone: the application
// title of every box and the text of the error box.
#pragma once

#include <QString>

// The executable's file name up to its first full stop, every letter after the first in lower
// case: "/opt/Tovelo2/Tovelo2" gives "Tovelo2".
QString applicationTitle(const QString &executablePath);

// The error's text with a full stop added when its last character sorts after ".".
QString errorBoxText(const QString &message);
