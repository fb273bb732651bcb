// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary files of the vocabulary drill and the sizing rules of the texts they feed.
// A dictionary is a text file, one entry per line as "word<TAB>translation", in one of three
// encodings:
//   - UTF-16LE when it starts with the mark FF FE;
//   - UTF-8 when it starts with the mark EF BB BF, or when its bytes are valid UTF-8 and not all
//     ASCII, as every editor and spreadsheet on Linux saves text with Russian letters;
//   - otherwise Windows-1251, the older files' encoding, with a title on its first line.
// Real Russian Windows-1251 text is practically never valid UTF-8: its letters are bytes
// 0xC0 to 0xFF, and two of them in a row never make a UTF-8 sequence. In UTF-16 and UTF-8
// files the first line is an entry like any other: a file exported as tab-separated text from
// a spreadsheet or a flash-card program has no title line, and a title without a TAB is
// skipped anyway. An ASCII-only file reads as before, title line included, since its bytes are
// the same in both 8-bit encodings.
// The drill keeps the entry lines that loadDictionaryLines gives, splits the line of each task with
// splitEntry and puts each text on screen through shownText.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// The drill keeps no more entries than this; the rest of a longer file is left unread.
constexpr qsizetype MaxDictionaryEntries = 20000;
// A larger file is refused unread: 20 000 entries of 100 characters each in UTF-16 take 4 MB.
constexpr qint64 MaxDictionaryBytes = qint64(8) << 20;
// Texts of entries are cut to this many UTF-16 code units on screen, the cut marked with
// ShownCutMark; longer ones take the window's text layout seconds and show nothing readable
// at the font sizes they get.
constexpr qsizetype MaxShownLength = 500;
constexpr char16_t ShownCutMark = u'\u2026'; // …

enum class DictionaryEncoding { Win1251, Utf16Le, Utf8 };

struct ParsedDictionary {
    // The file is UTF-16LE.
    bool unicode = false;
    DictionaryEncoding encoding = DictionaryEncoding::Win1251;
    // Entry lines in file order, each whole with all its TABs and without CR characters.
    QStringList lines;
};

// Any bytes are accepted: lines without a TAB are skipped, an odd last byte of UTF-16 text
// is ignored.
ParsedDictionary parseDictionary(QByteArrayView bytes);

// The whole file, read as rules/RegularFile.h says, within MaxDictionaryBytes.
QByteArray readDictionaryFile(const QString &path);

// The entry lines of a dictionary file: KVTML when its name says so (KvtmlDictionary.h),
// otherwise text as above.
QStringList loadDictionaryLines(const QString &path);

struct DictionaryEntry {
    QStringView word;
    QStringView translation;
};

// Splits at the first TAB: the translation keeps any further TABs. Views into the line.
DictionaryEntry splitEntry(QStringView line);

// The text as shown on the task label, an option button or a right-answer label: whole up to
// MaxShownLength code units, otherwise its start with ShownCutMark as the last unit. A cut never
// splits a surrogate pair.
QString shownText(QStringView text);

// Point size of the task label for a question of the given length in UTF-16 code units.
int taskFontSize(qsizetype length);
// Point size of an option button for a caption of the given length in UTF-16 code units.
int optionFontSize(qsizetype length);
