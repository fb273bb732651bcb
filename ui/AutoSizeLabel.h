// A label that sizes itself to its text and keeps its left edge, as the window description
// wants of every label. Opaque labels fill their box with the window's face colour.
#pragma once

#include <QLabel>

class AutoSizeLabel : public QLabel {
    Q_OBJECT

public:
    explicit AutoSizeLabel(QWidget *parent = nullptr);

    void setCaption(const QString &text);
    QString caption() const { return text(); }

protected:
    void changeEvent(QEvent *event) override;
};
