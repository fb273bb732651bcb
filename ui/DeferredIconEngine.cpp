#include "ui/DeferredIconEngine.h"

#include <QPainter>
#include <QPixmap>

DeferredIconEngine::DeferredIconEngine(QList<File> files)
    : m_files(std::move(files))
{
}

QIcon &DeferredIconEngine::loaded()
{
    if (!m_icon) {
        m_icon.emplace();
        for (const File &file : std::as_const(m_files))
            m_icon->addFile(file.path, file.size);
    }
    return *m_icon;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().pixmap(size, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().actualSize(size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    // Known without reading a file.
    QList<QSize> sizes;
    for (const File &file : std::as_const(m_files))
        sizes.append(file.size);
    return sizes;
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(m_files);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

bool DeferredIconEngine::isNull()
{
    return m_files.isEmpty();
}
