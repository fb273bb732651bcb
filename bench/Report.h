// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark's table: one row per figure, with its reference and target where it has them.
#pragma once

#include <QString>

#include <vector>

struct ReportRow {
    QString figure;
    QString value;
    QString reference;
    QString target;
    bool met = true;
};

class Report {
public:
    void add(ReportRow row) { m_rows.push_back(std::move(row)); }
    // Prints the table as Markdown; returns false when a target was missed.
    bool print() const;

private:
    std::vector<ReportRow> m_rows;
};

QString ms(double value);
QString ratio(double value);
