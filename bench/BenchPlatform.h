// The platform the benchmarks run the windows on: the real clock or a clock that moves only
// when told, no pause, no boxes, no sound, and an application folder of the benchmark's own.
#pragma once

#include <QRect>

#include "ui/Platform.h"

class BenchPlatform final : public Platform {
public:
    QString exePath;
    bool realClock = false;
    TDateTime fakeClock = 46000.5;

    TDateTime now() override;
    void pause(int) override {}
    quint32 randomSeed() override { return 2024; }
    void showMessage(const QString &) override {}
    void showError(const QString &title, const QString &text) override;
    QString inputQuery(const QString &, const QString &, const QString &initial) override
    {
        return initial.size() >= 3 ? initial : QStringLiteral("Bench");
    }
    void showModal(QDialog &) override {}
    void playSound(const QString &) override {}
    QString executablePath() override { return exePath; }
    QRect displayGeometry() override { return {0, 0, 1920, 1080}; }
};
