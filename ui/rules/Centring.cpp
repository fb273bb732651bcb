// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rules/Centring.h"

QPoint centredPosition(QSize outer, const QRect &display)
{
    // C++ integer division truncates toward zero.
    return {display.x() + (display.width() - outer.width()) / 2,
            display.y() + (display.height() - outer.height()) / 2};
}

QPoint centredPosition(QSize outer, const QRect &display, const QRect &available)
{
    const QPoint centred = centredPosition(outer, display);
    return available.height() < outer.height() ? QPoint(centred.x(), available.y()) : centred;
}
