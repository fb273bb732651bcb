// SPDX-License-Identifier: GPL-3.0-or-later
// The seam between the windows and everything a test must control: the clock, the blocking
// pause, the random seed, the modal boxes, sound, the executable's path, the display and the
// system's word lists.
// The program runs on DesktopPlatform; tests install their own for the span of a test.
#pragma once

#include <QRect>
#include <QString>

#include "rules/DateTime.h"

class QDialog;

class Platform {
public:
    virtual ~Platform();

    virtual TDateTime now() = 0;
    // Blocks the user-interface thread.
    virtual void pause(int milliseconds) = 0;
    virtual quint32 randomSeed() = 0;

    virtual void showMessage(const QString &text) = 0;
    virtual void showError(const QString &title, const QString &text) = 0;
    // Returns the edited text on OK and the initial text on Cancel.
    virtual QString inputQuery(const QString &caption, const QString &prompt,
                               const QString &initial) = 0;
    // Shows the dialog modally and returns when it is closed.
    virtual void showModal(QDialog &dialog) = 0;

    // Starts a WAV file and returns at once; failures are not reported.
    virtual void playSound(const QString &path) = 0;

    virtual QString executablePath() = 0;
    virtual QRect displayGeometry() = 0;
    // The part of the display that panels and docks leave to windows; the whole display unless
    // the platform knows better.
    virtual QRect availableGeometry() { return displayGeometry(); }
    // The folder of word lists installed for KDE's trainers (DataLocations.h); empty for none.
    virtual QString wordListsFolder();
};

Platform &platform();

// Installs a platform for its own lifetime, then restores the previous one.
class PlatformOverride {
public:
    explicit PlatformOverride(Platform &replacement);
    ~PlatformOverride();
    PlatformOverride(const PlatformOverride &) = delete;
    PlatformOverride &operator=(const PlatformOverride &) = delete;

private:
    Platform *m_previous;
};
