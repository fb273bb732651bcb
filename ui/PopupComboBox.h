// SPDX-License-Identifier: GPL-3.0-or-later
// A combo box that says when its popup is about to open, so that items which are slow to find
// can be added only when someone looks for them. The window's dictionary list uses it.
#pragma once

#include <QComboBox>

class PopupComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PopupComboBox(QWidget *parent = nullptr);

    // Items added by the receivers of popupAboutToShow are in the popup that opens.
    void showPopup() override;

Q_SIGNALS:
    void popupAboutToShow();
};
