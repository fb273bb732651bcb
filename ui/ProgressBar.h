// SPDX-License-Identifier: GPL-3.0-or-later
// A progress bar whose position, set beyond its range, is capped at the range's ends.
#pragma once

#include <QProgressBar>

class ProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit ProgressBar(QWidget *parent = nullptr);

    int position() const { return value(); }
    void setPosition(int position);
};
