#include "bench/BenchStartup.h"

#include <QDir>
#include <QTemporaryDir>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"

namespace {

constexpr int Repetitions = 15;
constexpr int ManyResults = 100000;
constexpr int SomeResults = 1000;
constexpr int Categories = 20;
constexpr int DictionaryEntries = 20000;
constexpr double EmptyTarget = 1.5;
constexpr double ManyTarget = 2.0;
constexpr double MemoryTarget = 1.6;

const QString Tovelo = QStringLiteral(BENCH_BIN_DIR "/bench_startup_tovelo");
const QString Reference = QStringLiteral(BENCH_BIN_DIR "/bench_startup_reference");

struct Runs {
    double wallMs = 0;
    double peakMb = 0;
};

Runs medianRuns(const QString &program, const QStringList &arguments, const QString &folder)
{
    std::vector<double> walls;
    std::vector<double> peaks;
    for (int i = 0; i < Repetitions; ++i) {
        const ProcessRun run = runProcess(program, arguments, folder);
        if (run.exitCode != 0)
            qFatal("%s exited with %d", qPrintable(program), run.exitCode);
        walls.push_back(run.wallMs);
        peaks.push_back(run.peakRssMb);
    }
    return {median(walls), median(peaks)};
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

    const Runs reference = medianRuns(Reference, {}, empty.path());
    const Runs withEmpty = medianRuns(Tovelo, {}, empty.path());
    const Runs withMany = medianRuns(Tovelo, {}, many.path());
    const Runs withDictionary = medianRuns(
        Tovelo, {QStringLiteral("--dictionary"), QStringLiteral("bench.txt")}, loaded.path());

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
