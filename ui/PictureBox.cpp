// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(QImage picture)
{
    if (m_stretch && !picture.isNull() && picture.size() != size())
        picture = picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_shown = QPixmap::fromImage(std::move(picture));
    update();
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    if (m_stretch && !m_shown.isNull() && m_shown.size() != size())
        m_shown = m_shown.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    const QPoint origin =
        m_stretch ? QPoint(0, 0)
                  : QPoint((width() - m_shown.width()) / 2, (height() - m_shown.height()) / 2);
    painter.drawPixmap(origin, m_shown);
}
