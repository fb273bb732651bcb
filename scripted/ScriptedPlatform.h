// SPDX-License-Identifier: GPL-3.0-or-later
// The platform the tests, the benchmark and the screenshot program run the windows on: a clock
// that moves only when told (or the real one), a pause that returns at once, a fixed random
// seed, scripted answers for the input box, and records of every message, error, modal show and
// sound instead of boxes and noise.
#pragma once

#include <QRect>
#include <QStringList>

#include <functional>
#include <vector>

#include "ui/Platform.h"

class ScriptedPlatform final : public Platform {
public:
    static constexpr double SecondsPerDay = 86400.0;

    TDateTime clock = 46000.5; // a weekday of 2025, noon
    // The benchmark's timer rate needs the real clock.
    bool realClock = false;
    quint32 seed = 12345;
    QString exePath = QStringLiteral("/opt/Tovelo2/Tovelo2");
    QRect display{0, 0, 1920, 1080};
    QRect available;   // empty: the whole display
    QString wordLists; // empty: none, whatever this machine has installed

    QStringList messages;
    QStringList errors; // texts of error boxes
    QStringList errorTitles;
    QStringList sounds;
    std::vector<int> pauses;
    int modalShows = 0;
    // What each input box returns in turn; when it runs out the initial text comes back,
    // as Cancel would.
    QStringList inputAnswers;
    QStringList inputInitials;
    // Called while a modal dialog would be open (for example to inspect it).
    std::function<void(QDialog &)> onModal;
    // Called during the pause, when the thread would be blocked.
    std::function<void()> onPause;
    // Called with every sound after it is recorded (a probe hands it to the real player).
    std::function<void(const QString &)> onSound;

    void advanceSeconds(double seconds) { clock += seconds / SecondsPerDay; }

    TDateTime now() override;
    void pause(int milliseconds) override;
    quint32 randomSeed() override { return seed; }
    void showMessage(const QString &text) override { messages << text; }
    void showError(const QString &title, const QString &text) override;
    QString inputQuery(const QString &caption, const QString &prompt,
                       const QString &initial) override;
    void showModal(QDialog &dialog) override;
    void playSound(const QString &path) override;
    QString executablePath() override { return exePath; }
    QRect displayGeometry() override { return display; }
    QRect availableGeometry() override { return available.isEmpty() ? display : available; }
    QString wordListsFolder() override { return wordLists; }
};
