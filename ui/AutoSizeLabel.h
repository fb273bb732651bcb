// SPDX-License-Identifier: GPL-3.0-or-later
// A label that sizes itself to its text and keeps its left edge, as the window description
// wants of every label. Opaque labels fill their box with the window's face colour.
#pragma once

#include <QLabel>

class AutoSizeLabel : public QLabel {
    Q_OBJECT

public:
    explicit AutoSizeLabel(QWidget *parent = nullptr);

    void setCaption(const QString &text);
    QString caption() const { return text(); }

    // Widens every such label of the window whose text from the description needs more room
    // in the typeface at hand: the design sizes were measured in other typefaces, and a fixed
    // caption a pixel too narrow is cut. The rest keep their design size.
    static void widenToText(const QWidget &window);

protected:
    void changeEvent(QEvent *event) override;
};
