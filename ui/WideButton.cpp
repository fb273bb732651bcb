// SPDX-License-Identifier: GPL-3.0-or-later
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

void WideButton::showOption(const std::optional<QString> &text, int pointSize)
{
    setHint(text ? QString() : FreeMark);
    setText(text.value_or(QString()));
    if (!text || font().pointSize() == pointSize)
        return;
    QFont larger = font();
    larger.setPointSize(pointSize);
    setFont(larger);
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
