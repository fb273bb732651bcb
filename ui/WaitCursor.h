// SPDX-License-Identifier: GPL-3.0-or-later
// The wait cursor over the whole program while the scope that holds it runs, for work the user
// sees as a pause (reading many files from a cold disk).
#pragma once

#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
