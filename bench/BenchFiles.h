// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// Loading, ranking and saving 100 000 records and history entries.
void benchRecords(Report &report);
// Loading a 20 000-entry dictionary in both encodings, against a plain QTextStream reader.
void benchDictionary(Report &report);
