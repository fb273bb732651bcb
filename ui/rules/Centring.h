// Where a window of a given outer size goes to stand in the middle of a display: each offset
// is the difference of sizes divided by 2, truncated toward zero (-5 gives -2).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

QPoint centredPosition(QSize outer, const QRect &display);
