// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AutoSizeLabel.h"

#include <QEvent>

AutoSizeLabel::AutoSizeLabel(QWidget *parent)
    : QLabel(parent)
{
}

void AutoSizeLabel::setCaption(const QString &text)
{
    if (text == this->text())
        return;
    setText(text);
    adjustSize();
}

void AutoSizeLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // While the description builds the label its font comes before its text; the design size
    // stands until there is a text to fit.
    if (event->type() == QEvent::FontChange && !text().isEmpty())
        adjustSize();
}

void AutoSizeLabel::widenToText(const QWidget &window)
{
    for (AutoSizeLabel *label : window.findChildren<AutoSizeLabel *>()) {
        const int needed = label->sizeHint().width();
        if (!label->text().isEmpty() && needed > label->width())
            label->resize(needed, label->height());
    }
}
