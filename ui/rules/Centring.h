// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window of a given outer size goes to stand in the middle of a display: each offset
// is the difference of sizes divided by 2, truncated toward zero (-5 gives -2).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

QPoint centredPosition(QSize outer, const QRect &display);

// The same, except that a window taller than the display's available area (the display less
// its panels) stands at the top of that area: only its bottom runs off the screen, and its
// title bar with the close button stays within reach.
QPoint centredPosition(QSize outer, const QRect &display, const QRect &available);
