// The real side effects: system clock, sleeping, message and input boxes, QSoundEffect.
#pragma once

#include <QPointer>
#include <QSoundEffect>

#include "ui/Platform.h"

class DesktopPlatform final : public Platform {
public:
    TDateTime now() override;
    void pause(int milliseconds) override;
    quint32 randomSeed() override;

    void showMessage(const QString &text) override;
    void showError(const QString &title, const QString &text) override;
    QString inputQuery(const QString &caption, const QString &prompt,
                       const QString &initial) override;
    void showModal(QDialog &dialog) override;

    void playSound(const QString &path) override;

    QString executablePath() override;
    QRect displayGeometry() override;

private:
    // Owned by the application object, made on the first sound.
    QPointer<QSoundEffect> m_sound;
};
