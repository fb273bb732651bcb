// A push button whose caption wraps onto several lines, carrying a hint text that is never
// shown (the option buttons use it as their free mark).
#pragma once

#include <QPushButton>

class WideButton : public QPushButton {
    Q_OBJECT

public:
    explicit WideButton(QWidget *parent = nullptr);

    QString hint() const { return m_hint; }
    void setHint(const QString &hint) { m_hint = hint; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_hint;
};
