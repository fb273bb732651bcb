// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window «Успехи» for parents and teachers: how the children of one results folder
// are doing, by player, exercise and period, as two charts over time and one table row per
// player, with the table and the history as CSV and a one-page PDF report. It reads the folder's
// result files once, when it is made, and never writes them; a file that cannot be read is
// named in the window. The summaries are the rules' (Progress/rules/ProgressSummary.h).
#pragma once

#include <QDialog>

#include <memory>

#include "Progress/rules/ProgressSummary.h"

namespace Ui {
class TfmProgress;
}

class TfmProgress : public QDialog {
    Q_OBJECT

public:
    // An empty folder is the current one.
    explicit TfmProgress(const QString &folder, QWidget *parent = nullptr);
    ~TfmProgress() override;

    // What the export buttons write, once they have their file.
    void exportTableCsv(const QString &path) const;
    void exportHistoryCsv(const QString &path) const;
    void exportReport(const QString &path) const;

private:
    void FormCreate();
    void placeOnDisplay();
    void fillChoosers();
    ProgressFilter filter() const;
    // Shows the choosers' games: charts, table, the line of damaged dates.
    void refresh();
    void fillTable();
    QStringList headingLines() const;
    // The line name of the charts: empty for one line per player.
    QString lineName() const;
    void askAndExport(const QString &caption, const QString &suggestedName,
                      const QString &fileFilter, void (TfmProgress::*write)(const QString &) const);

    std::unique_ptr<Ui::TfmProgress> ui;
    ProgressData m_data;
    ProgressSummary m_summary;
    TDateTime m_now = 0;
};
