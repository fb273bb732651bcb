// An icon whose pictures are read from their files only when something first draws it. The
// program icon is set before any window exists, yet many desktops (Wayland's among them, and
// Qt's offscreen platform) never ask a window for its icon: reading and decoding its files at
// start-up would be time spent for nothing.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

class DeferredIconEngine : public QIconEngine {
public:
    struct File {
        QString path;
        QSize size;
    };

    explicit DeferredIconEngine(QList<File> files);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    QIcon &loaded();

    QList<File> m_files;
    std::optional<QIcon> m_icon;
};
