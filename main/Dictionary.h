// Dictionary files of the vocabulary drill and the sizing rules of the texts they feed.
// A dictionary is a text file, one entry per line as "word<TAB>translation": UTF-16LE when it
// starts with the mark FF FE, otherwise Windows-1251 with a title on its first line. The main
// window reads the file with readDictionaryFile, keeps the entry lines that parseDictionary
// gives, and splits the line of each task with splitEntry.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "main/DictionaryLines.h"

// The drill keeps no more entries than this; the rest of a longer file is left unread.
constexpr qsizetype MaxDictionaryEntries = 20000;
// A larger file is refused unread: 20 000 entries of 100 characters each in UTF-16 take 4 MB.
constexpr qint64 MaxDictionaryBytes = qint64(8) << 20;

struct ParsedDictionary {
    bool unicode = false;
    // Entry lines in file order, each whole with all its TABs and without CR characters.
    DictionaryLines lines;
};

// Any bytes are accepted: lines without a TAB are skipped, an odd last byte of UTF-16 text
// is ignored.
ParsedDictionary parseDictionary(QByteArray bytes);

// The whole file; raises Error naming the path when it is missing, is not a regular file, is
// larger than MaxDictionaryBytes, or cannot be read. The path may hold a name kept as bytes
// (ui/NativeName.h).
QByteArray readDictionaryFile(const QString &path);

struct DictionaryEntry {
    QStringView word;
    QStringView translation;
};

// Splits at the first TAB: the translation keeps any further TABs. Views into the line.
DictionaryEntry splitEntry(QStringView line);

// Point size of the task label for a question of the given length in UTF-16 code units.
int taskFontSize(qsizetype length);
// Point size of an option button for a caption of the given length in UTF-16 code units.
int optionFontSize(qsizetype length);
