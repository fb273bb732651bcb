// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/ProgressReport.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

#include <array>

#include "Progress/ProgressCharts.h"
#include "Progress/ProgressTable.h"
#include "rules/Error.h"

namespace {

constexpr int Dpi = 300;
constexpr qreal MarginMm = 15;
constexpr int TitlePoints = 18;
constexpr int HeadingPoints = 10;
constexpr int TablePoints = 8;
// The chart is laid out at a screen width and scaled onto the page, its texts with it.
constexpr qreal ChartSceneWidth = 800;
constexpr qreal ChartShare = 0.36; // of the page's height
// Of the page's width, in the order of progressTableHeaders.
constexpr std::array<qreal, 7> ColumnShares{0.14, 0.06, 0.10, 0.33, 0.11, 0.16, 0.10};
constexpr int CellPadding = 12; // device pixels, about 1 mm
const QColor RuleColour(160, 160, 160);

class PageWriter {
public:
    PageWriter(QPainter &painter, int width)
        : m_painter(painter)
        , m_width(width)
    {
    }

    void text(const QString &line, int points, bool bold = false)
    {
        m_painter.setFont(font(points, bold));
        const QRect box(0, m_y, m_width, m_painter.fontMetrics().height());
        m_painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, line);
        m_y = box.bottom() + 1;
    }

    void skip(int pixels) { m_y += pixels; }

    void chart(const ProgressReport &report, int height)
    {
        const QSizeF size(ChartSceneWidth, ChartSceneWidth * height / m_width);
        QGraphicsScene scene;
        auto *chart = new QChart; // the scene owns it
        scene.addItem(chart);
        chart->resize(size);
        chart->setTitle(report.chartTitle);
        showProgressChart(*chart, report.summary->points, ProgressMeasure::Score, report.lineName);
        chart->layout()->activate();
        const QRectF target(0, m_y, m_width, height);
        scene.render(&m_painter, target, QRectF(QPointF(0, 0), size), Qt::KeepAspectRatio);
        m_y += height;
    }

    // Rows that do not fit on the page are counted, not drawn.
    void table(const QStringList &headers, const std::vector<QStringList> &rows, int bottom)
    {
        row(headers, true);
        m_painter.setFont(font(TablePoints, false));
        const int moreLine = m_painter.fontMetrics().height() + CellPadding;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (m_y + rowHeight(rows[i]) > bottom - moreLine) {
                skip(CellPadding);
                text(QStringLiteral("Не поместились ещё игроков: %1 (все есть в таблице CSV)")
                         .arg(rows.size() - i),
                     TablePoints);
                return;
            }
            row(rows[i], false);
        }
    }

private:
    QFont font(int points, bool bold) const
    {
        QFont f(QStringLiteral("Liberation Sans"), points);
        f.setBold(bold);
        return f;
    }

    QRect cell(std::size_t column, int height) const
    {
        qreal left = 0;
        for (std::size_t i = 0; i < column; ++i)
            left += ColumnShares[i] * m_width;
        return QRect(int(left), m_y, int(ColumnShares[column] * m_width), height);
    }

    int rowHeight(const QStringList &texts) const
    {
        int height = 0;
        for (std::size_t column = 0; column < ColumnShares.size(); ++column) {
            const QRect box = cell(column, 0).adjusted(CellPadding, 0, -CellPadding, 0);
            const QRect needed = m_painter.fontMetrics().boundingRect(
                QRect(box.left(), 0, box.width(), 1 << 20), Qt::TextWordWrap,
                texts.value(qsizetype(column)));
            height = std::max(height, needed.height());
        }
        return height + 2 * CellPadding;
    }

    void row(const QStringList &texts, bool bold)
    {
        m_painter.setFont(font(TablePoints, bold));
        const int height = rowHeight(texts);
        for (std::size_t column = 0; column < ColumnShares.size(); ++column) {
            const QRect box = cell(column, height);
            m_painter.drawText(box.adjusted(CellPadding, CellPadding, -CellPadding, -CellPadding),
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                               texts.value(qsizetype(column)));
        }
        m_painter.setPen(RuleColour);
        m_painter.drawLine(0, m_y + height, m_width, m_y + height);
        m_painter.setPen(Qt::black);
        m_y += height;
    }

    QPainter &m_painter;
    int m_width;
    int m_y = 0;
};

} // namespace

void writeProgressReport(const QString &path, const ProgressReport &report)
{
    QPdfWriter writer(path);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("Tovelo2"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(QStringLiteral("Не удалось записать файл %1").arg(path));

    const QRect page = writer.pageLayout().paintRectPixels(Dpi);
    PageWriter out(painter, page.width());
    out.text(report.title, TitlePoints, true);
    for (const QString &line : report.heading)
        out.text(line, HeadingPoints);
    out.skip(CellPadding * 3);
    out.chart(report, int(page.height() * ChartShare));
    out.skip(CellPadding * 3);

    const QLocale locale;
    std::vector<QStringList> rows;
    for (const PlayerProgress &player : report.summary->players)
        rows.push_back(progressTableRow(player, locale));
    out.table(progressTableHeaders(), rows, page.height());
    if (!painter.end())
        throw Error(QStringLiteral("Не удалось записать файл %1").arg(path));
}
