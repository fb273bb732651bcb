#include "ui/AutoSizeLabel.h"

#include <QEvent>

AutoSizeLabel::AutoSizeLabel(QWidget *parent)
    : QLabel(parent) {}

void AutoSizeLabel::setCaption(const QString &text) {
    setText(text);
    adjustSize();
}

void AutoSizeLabel::changeEvent(QEvent *event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustSize();
}
