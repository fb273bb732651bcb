// SPDX-License-Identifier: GPL-3.0-or-later
// The real side effects: system clock, sleeping, message and input boxes, the sound module.
#pragma once

#include "ui/Platform.h"
#include "ui/SoundModule.h"

class DesktopPlatform final : public Platform {
public:
    // The sound module is looked for in the executable's folder unless another is given.
    explicit DesktopPlatform(QString soundModuleFolder = {});

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
    QRect availableGeometry() override;

private:
    SoundModule m_sound;
};
