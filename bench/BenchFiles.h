// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// Loading, ranking and saving 100 000 records and history entries.
void benchRecords(Report &report);
// Loading a 20 000-entry dictionary in both encodings, against a plain QTextStream reader, and
// as KVTML; listing 500 dictionaries and the system's word lists.
void benchDictionary(Report &report);
