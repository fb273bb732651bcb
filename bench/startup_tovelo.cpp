// Start-up as a user sees it: the application, both windows through their creation, the main
// window shown; quits after the first paint. Run in a folder holding the result files.
// With "--dictionary NAME" it also starts a vocabulary game on Dic/NAME of the working folder,
// so the peak memory includes a loaded dictionary.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "HiScore/TfmHiScore.h"
#include "bench/BenchPlatform.h"
#include "bench/FirstPaint.h"
#include "bench/PeakMemory.h"
#include "main/TfmMain.h"
#include "ui/ApplicationSetup.h"

#include <QComboBox>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);

    BenchPlatform platform;
    platform.exePath = QDir::current().filePath(QStringLiteral("Tovelo2"));
    PlatformOverride installed(platform);

    TfmMain fmMain;
    TfmHiScore fmHiScore;
    fmMain.setRecordsWindow(&fmHiScore);

    const QStringList args = QCoreApplication::arguments();
    const qsizetype dictionary = args.indexOf(QStringLiteral("--dictionary"));
    if (dictionary > 0 && dictionary + 1 < args.size()) {
        auto *kind = fmMain.findChild<QComboBox *>(QStringLiteral("cmbAction"));
        kind->setCurrentIndex(static_cast<int>(ExerciseKind::ForeignLanguage));
        fmMain.cmbActionChange();
        auto *files = fmMain.findChild<QComboBox *>(QStringLiteral("cmbDicFiles"));
        files->setCurrentIndex(files->findText(args[dictionary + 1]));
        fmMain.btStartClick();
    }

    FirstPaint quitAfterPaint(fmMain);
    fmMain.show();
    const int code = QApplication::exec();
    printPeakMemory();
    return code;
}
