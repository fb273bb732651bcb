// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_politeend: the real main window in the folder given as its argument,
// with an addition game running and the program's polite-end handling installed. Prints
// "ready" once it waits in its event loop.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTimer>

#include <cstdio>

#include "main/TfmMain.h"
#include "scripted/ScriptedPlatform.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"
#include "ui/QuitSignals.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir::setCurrent(folder);

    const QuitSignals politeEnd;
    ScriptedPlatform scripted;
    scripted.exePath = folder + QStringLiteral("/Tovelo2");
    const PlatformOverride installed(scripted);

    TfmMain window;
    selectKind(window, ExerciseKind::Addition);
    window.btStartClick();
    answerRight(window);
    answerRight(window);

    window.show();
    QTimer::singleShot(0, &window, [] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
    return runMainLoop(window);
}
