// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: draws its picture either stretched over the whole box or centred unscaled.
// A stretched picture is scaled once when it is set and kept only at the box's size, so
// repaints just copy it.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch) { m_stretch = stretch; }

    // A picture already at the box's size is taken over as it is, without a copy.
    void setPicture(QImage picture);
    bool hasPicture() const { return !m_shown.isNull(); }
    // The picture as it is drawn: at the box's size when stretched.
    const QPixmap &shownPixmap() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_stretch = false;
    QPixmap m_shown;
};
