// SPDX-License-Identifier: GPL-3.0-or-later
// CSV as spreadsheets open it with Cyrillic intact: UTF-8 with a byte-order mark, fields quoted
// as RFC 4180 says (a field holding a comma, a quote or a line end is quoted, quotes doubled),
// lines ended by CR LF.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

#include "Progress/rules/ProgressSummary.h"
#include "main/rules/OneHistory.h"

QByteArray csvDocument(const QList<QStringList> &rows);

// A heading row, then one row per game in file order.
QByteArray historyCsv(const std::deque<OneHistory> &history);
// A heading row, then the table of the summary.
QByteArray progressTableCsv(const ProgressSummary &summary);

// Writes the file whole (rules/FileReplace.h); throws Error with a Russian text naming it when it
// cannot be written.
void writeExportFile(const QString &path, const QByteArray &bytes);
