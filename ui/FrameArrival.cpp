// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FrameArrival.h"

#include <QEvent>
#include <QWidget>

#include "ui/EventGuard.h"

FrameArrival::FrameArrival(QWidget &window, std::function<void()> place)
    : QObject(&window)
    , m_window(window)
    , m_place(std::move(place))
{
    window.installEventFilter(this);
}

bool FrameArrival::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_placed && watched == &m_window && event->type() == QEvent::Move &&
        m_window.isVisible() && m_window.frameGeometry().size() != m_window.size()) {
        m_placed = true;
        guarded(m_place);
    }
    return QObject::eventFilter(watched, event);
}
