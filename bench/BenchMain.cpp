// Measures what the program's speed and memory targets speak of and prints one table.
// Figures with a reference are ratios measured in the same run; each is a median of several
// repetitions. Exits non-zero when a target is missed.
#include <QApplication>

#include <cstdio>

#include "bench/BenchFiles.h"
#include "bench/BenchGame.h"
#include "bench/BenchStartup.h"
#include "bench/BenchWallpaper.h"
#include "bench/Report.h"
#include "ui/ApplicationSetup.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication(application);

    Report report;
    std::fprintf(stderr, "start-up...\n");
    benchStartup(report);
    std::fprintf(stderr, "records...\n");
    benchRecords(report);
    std::fprintf(stderr, "dictionary...\n");
    benchDictionary(report);
    std::fprintf(stderr, "wallpaper...\n");
    benchWallpaper(report);
    std::fprintf(stderr, "game loop...\n");
    benchGameLoop(report);
    std::fprintf(stderr, "timer rate (30 s)...\n");
    benchTimerRate(report);
    return report.print() ? 0 : 1;
}
