// SPDX-License-Identifier: GPL-3.0-or-later
// A push button whose caption wraps onto several lines, carrying a hint text that is never
// shown (the option buttons use it as their free mark).
#pragma once

#include <QPushButton>

#include <optional>

class WideButton : public QPushButton {
    Q_OBJECT

public:
    explicit WideButton(QWidget *parent = nullptr);

    QString hint() const { return m_hint; }
    void setHint(const QString &hint) { m_hint = hint; }

    // The hint of an option button that still waits for a text.
    static inline const QString FreeMark = QStringLiteral("-");
    // An option of a vocabulary task at the given point size; a button without one is free:
    // it carries the free mark and no text.
    void showOption(const std::optional<QString> &text, int pointSize);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_hint;
};
