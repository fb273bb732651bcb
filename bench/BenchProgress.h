// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// The progress window on 100 000 games, opened as the program opens it, to its first chart.
void benchProgressWindow(Report &report);
// The history of 100 000 games exported as CSV.
void benchExport(Report &report);
