// SPDX-License-Identifier: GPL-3.0-or-later
// Measures what the program's speed and memory targets speak of and prints one table.
// Figures with a reference are ratios measured in the same run; each is a median of several
// repetitions. Exits non-zero when a target is missed.
// Arguments name the parts to run ("startup records dictionary wallpaper game vocabulary gameend
// timer progress export"); with none, all of them run.
#include <QApplication>

#include <cstdio>

#include "bench/BenchFiles.h"
#include "bench/BenchGame.h"
#include "bench/BenchProgress.h"
#include "bench/BenchStartup.h"
#include "bench/BenchWallpaper.h"
#include "bench/Report.h"
#include "ui/ApplicationSetup.h"

namespace {

struct Part {
    const char *name;
    const char *progress;
    void (*run)(Report &);
};

constexpr Part Parts[] = {
    {"startup", "start-up", benchStartup},
    {"records", "records", benchRecords},
    {"dictionary", "dictionary", benchDictionary},
    {"wallpaper", "wallpaper", benchWallpaper},
    {"game", "game loop", benchGameLoop},
    {"vocabulary", "vocabulary answers", benchVocabularyAnswer},
    {"gameend", "end of a game with 100 000 records", benchGameEnd},
    {"timer", "timer rate (30 s)", benchTimerRate},
    {"progress", "progress window with 100 000 games", benchProgressWindow},
    {"export", "history of 100 000 games as CSV", benchExport},
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication(application);

    QStringList chosen = QCoreApplication::arguments().mid(1);
    for (const QString &name : std::as_const(chosen)) {
        if (std::none_of(std::begin(Parts), std::end(Parts),
                         [&](const Part &part) { return name == QLatin1String(part.name); })) {
            std::fprintf(stderr, "unknown part: %s\n", qPrintable(name));
            return 2;
        }
    }

    Report report;
    for (const Part &part : Parts) {
        if (!chosen.isEmpty() && !chosen.contains(QLatin1String(part.name)))
            continue;
        std::fprintf(stderr, "%s...\n", part.progress);
        part.run(report);
    }
    return report.print() ? 0 : 1;
}
