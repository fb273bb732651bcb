// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/ProgressCharts.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <map>

namespace {

// A chart is a few hundred pixels wide: a line of a hundred thousand games draws no more than
// this many points, each the mean of as many consecutive games. It keeps the first paint of a
// large history within its time (docs/performance.md).
constexpr std::size_t MaxPointsPerLine = 600;
// A line of a few games shows each game as a dot, so that a single game is seen at all.
constexpr qsizetype MarkedPointsMax = 60;
constexpr qreal MarkerSize = 7;
constexpr double HeadRoom = 1.1;
constexpr qint64 OneDayMs = 86400000;

struct Sample {
    TDateTime date;
    double value;
};

using Line = std::vector<Sample>;

Line thinned(const Line &line)
{
    if (line.size() <= MaxPointsPerLine)
        return line;
    const std::size_t perPoint = (line.size() + MaxPointsPerLine - 1) / MaxPointsPerLine;
    Line means;
    for (std::size_t start = 0; start < line.size(); start += perPoint) {
        const std::size_t end = std::min(line.size(), start + perPoint);
        Sample mean{0, 0};
        for (std::size_t i = start; i < end; ++i) {
            mean.date += line[i].date;
            mean.value += line[i].value;
        }
        const auto count = double(end - start);
        means.push_back({mean.date / count, mean.value / count});
    }
    return means;
}

std::map<QString, Line> linesOf(const std::vector<ProgressPoint> &points, ProgressMeasure measure,
                                const QString &lineName)
{
    std::map<QString, Line> lines;
    for (const ProgressPoint &point : points) {
        const double value =
            measure == ProgressMeasure::Score ? double(point.score) : point.answersPerMinute;
        if (value < 0)
            continue; // a game without a usable duration has no rate
        lines[lineName.isEmpty() ? point.player : lineName].push_back({point.date, value});
    }
    return lines;
}

void removeAll(QChart &chart)
{
    chart.removeAllSeries();
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

} // namespace

void showProgressChart(QChart &chart, const std::vector<ProgressPoint> &points,
                       ProgressMeasure measure, const QString &lineName)
{
    removeAll(chart);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("dd.MM.yy"));
    auto *values = new QValueAxis;
    values->setLabelFormat(measure == ProgressMeasure::Score ? QStringLiteral("%d")
                                                             : QStringLiteral("%.1f"));
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(values, Qt::AlignLeft);

    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    double highest = 0;
    const std::map<QString, Line> lines = linesOf(points, measure, lineName);
    for (const auto &[name, line] : lines) {
        QList<QPointF> drawn;
        for (const Sample &sample : thinned(line)) {
            const qint64 ms = fromDateTime(sample.date).toMSecsSinceEpoch();
            first = std::min(first, ms);
            last = std::max(last, ms);
            highest = std::max(highest, sample.value);
            drawn.append(QPointF(double(ms), sample.value));
        }
        auto *series = new QLineSeries;
        series->setName(name);
        // One call: appending point by point makes the chart recompute for every point.
        series->replace(drawn);
        series->setPointsVisible(drawn.size() <= MarkedPointsMax);
        series->setMarkerSize(MarkerSize);
        chart.addSeries(series);
        series->attachAxis(time);
        series->attachAxis(values);
    }
    if (lines.empty())
        first = last = QDateTime::currentMSecsSinceEpoch();
    // A single day still gets a day's width, so that its games stand apart from the axes.
    time->setRange(QDateTime::fromMSecsSinceEpoch(first - OneDayMs / 2),
                   QDateTime::fromMSecsSinceEpoch(std::max(last, first) + OneDayMs / 2));
    values->setRange(0, highest > 0 ? highest * HeadRoom : 1);
    values->applyNiceNumbers();
    chart.legend()->setVisible(lines.size() > 1);
}
