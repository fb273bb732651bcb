// SPDX-License-Identifier: GPL-3.0-or-later
// A status bar of fixed-width text panels, given as "200,50" in the window description.
#pragma once

#include <QStatusBar>

#include <vector>

class QLabel;

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
    Q_PROPERTY(QString panelWidths READ panelWidths WRITE setPanelWidths)

public:
    explicit PanelStatusBar(QWidget *parent = nullptr);

    QString panelWidths() const;
    void setPanelWidths(const QString &widths);

    int panelCount() const { return static_cast<int>(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);

private:
    std::vector<QLabel *> m_panels; // children of the bar
};
