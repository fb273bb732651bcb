// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the main window first (its creation restores the state and makes the first
// task), then the records window; the event loop runs until the main window is closed, and
// the windows are destroyed in reverse order, the main window's destruction saving the files.
#include <QApplication>

#include "HiScore/TfmHiScore.h"
#include "main/TfmMain.h"
#include "ui/ApplicationSetup.h"
#include "ui/CommandLine.h"
#include "ui/QuitSignals.h"

int main(int argc, char *argv[])
{
    // Before the application object: --help and --version need no display and write nothing.
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;
    QApplication application(argc, argv);
    setUpApplication(application);

    // First, so that it outlives the main window, whose destruction saves the files.
    const QuitSignals politeEnd;

    TfmMain fmMain;
    TfmHiScore fmHiScore;
    fmMain.setRecordsWindow(&fmHiScore);

    return runMainLoop(fmMain);
}
