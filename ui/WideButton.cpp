#include "ui/WideButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int TextMargin = 4;
}

WideButton::WideButton(QWidget *parent)
    : QPushButton(parent)
{
}

void WideButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = rect().adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), caption,
                         QPalette::ButtonText);
}
