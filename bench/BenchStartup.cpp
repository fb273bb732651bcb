// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchStartup.h"

#include <QDir>
#include <QTemporaryDir>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"

namespace {

constexpr int Repetitions = 31;
constexpr int ManyResults = 100000;
constexpr int SomeResults = 1000;
constexpr int Categories = 20;
constexpr int DictionaryEntries = 20000;
constexpr double EmptyTarget = 1.5;
constexpr double ManyTarget = 2.5;
constexpr double MemoryTarget = 1.5;

const QString Tovelo = QStringLiteral(BENCH_BIN_DIR "/bench_startup_tovelo");
const QString Reference = QStringLiteral(BENCH_BIN_DIR "/bench_startup_reference");

struct Runs {
    double wallMs = 0;
    double peakMb = 0;
};

struct Contender {
    QString program;
    QStringList arguments;
    QString folder;
};

// The contenders take turns, one run each per round, so that the machine's drift in speed
// over the measurement touches them all alike.
std::vector<Runs> medianRuns(const std::vector<Contender> &contenders)
{
    std::vector<std::vector<double>> walls(contenders.size());
    std::vector<std::vector<double>> peaks(contenders.size());
    for (int round = 0; round < Repetitions; ++round) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            const Contender &contender = contenders[i];
            const ProcessRun run =
                runProcess(contender.program, contender.arguments, contender.folder);
            if (run.exitCode != 0)
                qFatal("%s exited with %d", qPrintable(contender.program), run.exitCode);
            walls[i].push_back(run.wallMs);
            peaks[i].push_back(run.peakRssMb);
        }
    }
    std::vector<Runs> medians;
    for (std::size_t i = 0; i < contenders.size(); ++i)
        medians.push_back({median(walls[i]), median(peaks[i])});
    return medians;
}

QString mb(double value)
{
    return QStringLiteral("%1 MB").arg(value, 0, 'f', 1);
}

} // namespace

void benchStartup(Report &report)
{
    QTemporaryDir empty;
    QTemporaryDir many;
    writeResultFiles(many.path(), ManyResults, Categories);
    QTemporaryDir loaded;
    writeResultFiles(loaded.path(), SomeResults, Categories);
    QDir(loaded.path()).mkdir(QStringLiteral("Dic"));
    writeDictionary(loaded.filePath(QStringLiteral("Dic/bench.txt")), DictionaryEntries, false);

    const std::vector<Runs> runs = medianRuns({
        {Reference, {}, empty.path()},
        {Tovelo, {}, empty.path()},
        {Tovelo, {}, many.path()},
        {Tovelo, {QStringLiteral("--dictionary"), QStringLiteral("bench.txt")}, loaded.path()},
    });
    const Runs &reference = runs[0];
    const Runs &withEmpty = runs[1];
    const Runs &withMany = runs[2];
    const Runs &withDictionary = runs[3];

    const QString referenceText =
        QStringLiteral("bare window, 37 controls: %1").arg(ms(reference.wallMs));
    const double emptyRatio = withEmpty.wallMs / reference.wallMs;
    report.add({QStringLiteral("start-up to first paint, empty files"), ms(withEmpty.wallMs),
                referenceText, QStringLiteral("< %1×: %2").arg(EmptyTarget).arg(ratio(emptyRatio)),
                emptyRatio < EmptyTarget});
    const double manyRatio = withMany.wallMs / reference.wallMs;
    report.add({QStringLiteral("start-up, 100 000 records and history entries"),
                ms(withMany.wallMs), referenceText,
                QStringLiteral("< %1×: %2").arg(ManyTarget).arg(ratio(manyRatio)),
                manyRatio < ManyTarget});
    const double memoryRatio = withDictionary.peakMb / reference.peakMb;
    report.add({QStringLiteral("peak memory, 1 000 records + 20 000-entry dictionary"),
                mb(withDictionary.peakMb),
                QStringLiteral("bare window: %1").arg(mb(reference.peakMb)),
                QStringLiteral("< %1×: %2").arg(MemoryTarget).arg(ratio(memoryRatio)),
                memoryRatio < MemoryTarget});
}
