// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the main window first (its creation restores the state and makes the first
// task), then the records window; the event loop runs until the main window is closed, and
// the windows are destroyed in reverse order, the main window's destruction saving the files.
// With --progress only the progress window opens, on the folder given or the program's own
// results folder, and the program ends when it is closed: nothing is written.
#include <QApplication>

#include "HiScore/TfmHiScore.h"
#include "main/TfmMain.h"
#include "ui/ApplicationSetup.h"
#include "ui/CommandLine.h"
#include "ui/EventGuard.h"
#include "ui/ProgressModule.h"
#include "ui/QuitSignals.h"

namespace {

int showProgressOnly(const QString &folder)
{
    bool opened = false;
    guarded([&] {
        openProgressWindow(folder, nullptr);
        opened = true;
    });
    return opened ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object: --help and --version need no display and write nothing.
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;
    const std::optional<QString> progress = progressFolder(argc, argv);
    QApplication application(argc, argv);
    setUpApplication(application);

    // First, so that it outlives the main window, whose destruction saves the files.
    const QuitSignals politeEnd;
    if (progress)
        return showProgressOnly(*progress);

    TfmMain fmMain;
    TfmHiScore fmHiScore;
    fmMain.setRecordsWindow(&fmHiScore);

    return runMainLoop(fmMain);
}
