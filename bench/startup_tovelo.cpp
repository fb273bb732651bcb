// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as a user sees it: the application, both windows through their creation, the main
// window shown; quits after the first paint. Run in a folder holding the result files.
// With "--dictionary NAME" it also starts a vocabulary game on Dic/NAME of the working folder,
// so the peak memory includes a loaded dictionary.
#include <QApplication>
#include <QDir>

#include <cstdio>

#include "HiScore/TfmHiScore.h"
#include "bench/FirstPaint.h"
#include "bench/PeakMemory.h"
#include "scripted/ScriptedPlatform.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);

    ScriptedPlatform platform;
    platform.exePath = QDir::current().filePath(QStringLiteral("Tovelo2"));
    PlatformOverride installed(platform);

    TfmMain fmMain;
    TfmHiScore fmHiScore;
    fmMain.setRecordsWindow(&fmHiScore);

    const QStringList args = QCoreApplication::arguments();
    const qsizetype dictionary = args.indexOf(QStringLiteral("--dictionary"));
    if (dictionary > 0 && dictionary + 1 < args.size()) {
        selectKind(fmMain, ExerciseKind::ForeignLanguage);
        selectDictionary(fmMain, args[dictionary + 1]);
        fmMain.btStartClick();
    }

    FirstPaint quitAfterPaint(fmMain);
    fmMain.show();
    const int code = QApplication::exec();
    printPeakMemory();
    // An error box would mean the start-up measured was not the usual one.
    for (const QString &error : std::as_const(platform.errors))
        std::fprintf(stderr, "error box: %s\n", qPrintable(error));
    return platform.errors.isEmpty() ? code : 1;
}
