// SPDX-License-Identifier: GPL-3.0-or-later
// What the application object needs before its first window: the names that tie its windows to
// the menu entry, Qt's Russian texts for standard buttons and the program icon.
#pragma once

class QApplication;

void setUpApplication(QApplication &application);
