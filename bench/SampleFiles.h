// SPDX-License-Identifier: GPL-3.0-or-later
// Result files and dictionaries of a chosen size, written in the program's formats,
// for the benchmarks to load.
#pragma once

#include <QString>

// `count` records in `categories` categories of the addition kind, and as many history entries.
void writeResultFiles(const QString &folder, int count, int categories);
// A dictionary of `entries` lines, Windows-1251 with a title line, or UTF-16LE with its mark.
void writeDictionary(const QString &path, int entries, bool utf16);
// A KVTML 2 file of `entries` entries in the shape Parley saves: identifiers, entries with a
// comment beside each text, and a lesson that names every entry.
void writeKvtml(const QString &path, int entries);
