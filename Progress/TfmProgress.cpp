// SPDX-License-Identifier: GPL-3.0-or-later
#include "Progress/TfmProgress.h"

#include <QChart>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>

#include "Progress/ProgressCharts.h"
#include "Progress/ProgressReport.h"
#include "Progress/ProgressTable.h"
#include "Progress/rules/ProgressCsv.h"
#include "ui/EventGuard.h"
#include "ui/FrameArrival.h"
#include "ui/Platform.h"
#include "ui/rules/Centring.h"
#include "ui_fmProgress.h"

namespace {

const QString All = QStringLiteral("все");
const QString ScoreTitle = QStringLiteral("Очки за игру");
const QString PaceTitle = QStringLiteral("Правильных ответов в минуту");
const QString CsvFiles = QStringLiteral("Таблицы CSV (*.csv)");
const QString PdfFiles = QStringLiteral("Документы PDF (*.pdf)");
// In the order of the period chooser's items.
constexpr ProgressPeriod Periods[] = {ProgressPeriod::Week, ProgressPeriod::Month,
                                      ProgressPeriod::All};
constexpr int AllTimeIndex = 2;

void fillChooser(QComboBox &chooser, const QStringList &items)
{
    chooser.clear();
    chooser.addItem(All);
    chooser.addItems(items);
}

// The first item, "все", stands for all of them.
QString chosen(const QComboBox &chooser)
{
    return chooser.currentIndex() > 0 ? chooser.currentText() : QString();
}

void makeChart(QChartView &view, const QString &title)
{
    // The view's own chart: a chart set in its place would leave this one to its caller.
    view.chart()->setTitle(title);
    view.setRenderHint(QPainter::Antialiasing);
}

} // namespace

TfmProgress::TfmProgress(const QString &folder, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfmProgress>())
    , m_data(readProgressData(resultsFolderPrefix(folder)))
    , m_now(platform().now())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // Missing result files read as empty; a missing folder is more likely a mistyped one.
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        m_data.errors << QStringLiteral("Папка %1 не найдена.").arg(folder);
    FormCreate();
}

TfmProgress::~TfmProgress() = default;

void TfmProgress::FormCreate()
{
    ui->lbErrors->setText(m_data.errors.join(QLatin1Char('\n')));
    ui->lbErrors->setVisible(!m_data.errors.isEmpty());
    makeChart(*ui->chScore, ScoreTitle);
    makeChart(*ui->chPace, PaceTitle);
    fillChoosers();
    refresh();

    for (QComboBox *chooser : {ui->cmbPlayer, ui->cmbExercise, ui->cmbPeriod}) {
        connect(chooser, &QComboBox::currentIndexChanged, this,
                [this] { guarded([this] { refresh(); }); });
    }
    connect(ui->btTableCsv, &QPushButton::clicked, this, [this] {
        askAndExport(QStringLiteral("Таблица успехов в CSV"), QStringLiteral("Успехи.csv"),
                     CsvFiles, &TfmProgress::exportTableCsv);
    });
    connect(ui->btHistoryCsv, &QPushButton::clicked, this, [this] {
        askAndExport(QStringLiteral("История игр в CSV"), QStringLiteral("История.csv"), CsvFiles,
                     &TfmProgress::exportHistoryCsv);
    });
    connect(ui->btReport, &QPushButton::clicked, this, [this] {
        askAndExport(QStringLiteral("Отчёт об успехах"), QStringLiteral("Успехи.pdf"), PdfFiles,
                     &TfmProgress::exportReport);
    });
    connect(ui->btClose, &QPushButton::clicked, this, &QDialog::reject);

    placeOnDisplay();
    new FrameArrival(*this, [this] { placeOnDisplay(); });
}

void TfmProgress::placeOnDisplay()
{
    move(centredPosition(frameGeometry().size(), platform().displayGeometry(),
                         platform().availableGeometry()));
}

void TfmProgress::fillChoosers()
{
    // Filled before the handlers are connected: no refresh per item.
    fillChooser(*ui->cmbPlayer, progressPlayers(m_data.history));
    fillChooser(*ui->cmbExercise, progressExercises(m_data.history));
    ui->cmbPeriod->setCurrentIndex(AllTimeIndex);
    ui->tbPlayers->setColumnCount(int(progressTableHeaders().size()));
    ui->tbPlayers->setHorizontalHeaderLabels(progressTableHeaders());
    ui->tbPlayers->horizontalHeader()->setStretchLastSection(true);
}

ProgressFilter TfmProgress::filter() const
{
    return {chosen(*ui->cmbPlayer), chosen(*ui->cmbExercise),
            Periods[std::clamp(ui->cmbPeriod->currentIndex(), 0, AllTimeIndex)]};
}

QString TfmProgress::lineName() const
{
    return chosen(*ui->cmbPlayer);
}

void TfmProgress::refresh()
{
    m_summary = summarizeProgress(m_data.history, m_data.records, filter(), m_now);
    showProgressChart(*ui->chScore->chart(), m_summary.points, ProgressMeasure::Score, lineName());
    showProgressChart(*ui->chPace->chart(), m_summary.points, ProgressMeasure::AnswersPerMinute,
                      lineName());
    ui->lbDamaged->setText(
        QStringLiteral("Не показаны игры с повреждённой датой: %1").arg(m_summary.damagedDates));
    ui->lbDamaged->setVisible(m_summary.damagedDates > 0);
    fillTable();
}

void TfmProgress::fillTable()
{
    const QLocale locale;
    QTableWidget &table = *ui->tbPlayers;
    table.setRowCount(int(m_summary.players.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const QStringList texts = progressTableRow(m_summary.players[std::size_t(row)], locale);
        for (int column = 0; column < texts.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
}

QStringList TfmProgress::headingLines() const
{
    return {QStringLiteral("Игрок: %1").arg(ui->cmbPlayer->currentText()),
            QStringLiteral("Упражнение: %1").arg(ui->cmbExercise->currentText()),
            QStringLiteral("Период: %1").arg(ui->cmbPeriod->currentText()),
            QStringLiteral("Составлен: %1").arg(dateText(m_now, QLocale()))};
}

void TfmProgress::exportTableCsv(const QString &path) const
{
    writeExportFile(path, progressTableCsv(m_summary));
}

void TfmProgress::exportHistoryCsv(const QString &path) const
{
    writeExportFile(path, historyCsv(m_data.history));
}

void TfmProgress::exportReport(const QString &path) const
{
    writeProgressReport(
        path, {QStringLiteral("Успехи"), headingLines(), &m_summary, lineName(), ScoreTitle});
}

void TfmProgress::askAndExport(const QString &caption, const QString &suggestedName,
                               const QString &fileFilter,
                               void (TfmProgress::*write)(const QString &) const)
{
    guarded([&] {
        const QString path = QFileDialog::getSaveFileName(
            this, caption, QDir::home().filePath(suggestedName), fileFilter);
        if (!path.isEmpty())
            (this->*write)(path);
    });
}
