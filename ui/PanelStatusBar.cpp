// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStatusBar.h"

#include <QLabel>

PanelStatusBar::PanelStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
}

QString PanelStatusBar::panelWidths() const
{
    QStringList widths;
    for (const QLabel *panel : m_panels)
        widths << QString::number(panel->width());
    return widths.join(QLatin1Char(','));
}

void PanelStatusBar::setPanelWidths(const QString &widths)
{
    for (QLabel *panel : m_panels)
        delete panel;
    m_panels.clear();
    for (const QString &width : widths.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        auto *panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(width.trimmed().toInt());
        addWidget(panel);
        m_panels.push_back(panel);
    }
}

QString PanelStatusBar::panelText(int index) const
{
    return m_panels.at(static_cast<std::size_t>(index))->text();
}

void PanelStatusBar::setPanelText(int index, const QString &text)
{
    m_panels.at(static_cast<std::size_t>(index))->setText(text);
}
