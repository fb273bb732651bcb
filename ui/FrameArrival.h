// SPDX-License-Identifier: GPL-3.0-or-later
// A window is placed from its own size before it is shown, when the window manager has not yet
// put its frame around it. The first move after the frame has arrived calls `place` once more,
// so that the window stands where it should with its frame.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

class FrameArrival : public QObject {
public:
    FrameArrival(QWidget &window, std::function<void()> place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    std::function<void()> m_place;
    bool m_placed = false;
};
