#include "ui/rules/Centring.h"

QPoint centredPosition(QSize outer, const QRect &display)
{
    // C++ integer division truncates toward zero.
    return {display.x() + (display.width() - outer.width()) / 2,
            display.y() + (display.height() - outer.height()) / 2};
}
