// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchProgress.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "Progress/rules/ProgressCsv.h"
#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"
#include "ui/ProgressModule.h"

namespace {

constexpr int Repetitions = 9;
constexpr int Entries = 100000;
constexpr int Categories = 20;
constexpr double WindowBudgetMs = 300;
constexpr double ExportBudgetMs = 500;
const QString ModuleFolder = QStringLiteral(PROGRESS_MODULE_DIR);

// Notes when a chart of the progress window has finished its first paint, then closes the
// window, which ends the modal show the request started.
class ChartPaint : public QObject {
public:
    explicit ChartPaint(Clock::time_point start)
        : m_start(start)
    {
        qApp->installEventFilter(this);
    }
    ~ChartPaint() override { qApp->removeEventFilter(this); }
    ChartPaint(const ChartPaint &) = delete;
    ChartPaint &operator=(const ChartPaint &) = delete;

    double ms() const { return m_ms; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->inherits("QChartView")) {
            m_seen = true;
            // Once the paint that is starting, and the rest of its window's, is done.
            QTimer::singleShot(0, this, [this] {
                m_ms = elapsedMs(m_start);
                if (QWidget *window = QApplication::activeModalWidget())
                    window->close();
            });
        }
        return false;
    }

private:
    Clock::time_point m_start;
    bool m_seen = false;
    double m_ms = -1;
};

double openOnce(const QString &folder)
{
    const auto start = Clock::now();
    const ChartPaint paint(start);
    openProgressWindow(folder, nullptr, ModuleFolder);
    if (paint.ms() < 0)
        qFatal("the progress window closed before its chart was painted");
    return paint.ms();
}

} // namespace

void benchProgressWindow(Report &report)
{
    QTemporaryDir folder;
    writeResultFiles(folder.path(), Entries, Categories);
    const QString results = folder.path() + QLatin1Char('/');

    // The first request also loads the module, and Qt Charts with it.
    const double first = openOnce(results);
    std::vector<double> times;
    for (int i = 0; i < Repetitions; ++i)
        times.push_back(openOnce(results));
    const double again = median(times);
    const QString budget = QStringLiteral("< %1 ms").arg(WindowBudgetMs);
    report.add({QStringLiteral("progress window, 100 000 games, request to first chart painted, "
                               "first time (module loaded)"),
                ms(first),
                {},
                budget,
                first < WindowBudgetMs});
    report.add({QStringLiteral("progress window, 100 000 games, request to first chart painted"),
                ms(again),
                {},
                budget,
                again < WindowBudgetMs});
}

void benchExport(Report &report)
{
    QTemporaryDir folder;
    writeResultFiles(folder.path(), Entries, Categories);
    const ProgressData data = readProgressData(folder.path() + QLatin1Char('/'));
    const QString path = folder.filePath(QStringLiteral("history.csv"));
    const double exported =
        medianMs(Repetitions, [&] { writeExportFile(path, historyCsv(data.history)); });
    report.add({QStringLiteral("history of 100 000 games as CSV (historyCsv + writeExportFile)"),
                ms(exported),
                {},
                QStringLiteral("< %1 ms").arg(ExportBudgetMs),
                exported < ExportBudgetMs});
}
