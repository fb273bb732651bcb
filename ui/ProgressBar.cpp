// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressBar.h"

#include <algorithm>

ProgressBar::ProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
}

void ProgressBar::setPosition(int position)
{
    setValue(std::clamp(position, minimum(), maximum()));
}
