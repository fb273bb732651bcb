// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PopupComboBox.h"

PopupComboBox::PopupComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void PopupComboBox::showPopup()
{
    Q_EMIT popupAboutToShow();
    QComboBox::showPopup();
}
