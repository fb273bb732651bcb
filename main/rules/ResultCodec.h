// SPDX-License-Identifier: GPL-3.0-or-later
// The byte layouts of the two result files: "SaveRes.res" holds one 72-byte record per records
// entry, "SaveRes.hst" one 112-byte record per history entry. No header, no trailer; integers
// are 32-bit little-endian, date-times little-endian IEEE doubles, texts Windows-1251 short
// strings (a length byte, then a fixed field). Numbers are taken as they stand; a length byte
// above its field is read as the whole field; a trailing fragment shorter than a record is
// ignored. Padding and the bytes past a text are written as zeros.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <deque>

#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"

constexpr qsizetype NameChars = 30;
constexpr qsizetype DescriptionChars = 50;

template<typename Entry> constexpr qsizetype EntryBytes = 0;
template<> inline constexpr qsizetype EntryBytes<OneHiScore> = 72;
template<> inline constexpr qsizetype EntryBytes<OneHistory> = 112;

// Each reads or writes exactly EntryBytes<Entry> bytes.
void decodeEntry(const char *bytes, OneHiScore &entry);
void decodeEntry(const char *bytes, OneHistory &entry);
void encodeEntry(const OneHiScore &entry, char *bytes);
void encodeEntry(const OneHistory &entry, char *bytes);

// The whole entries of a file's bytes; a trailing fragment is ignored.
template<typename Entry> std::deque<Entry> decodeEntries(QByteArrayView bytes)
{
    std::deque<Entry> entries;
    for (qsizetype at = 0; at + EntryBytes<Entry> <= bytes.size(); at += EntryBytes<Entry>)
        decodeEntry(bytes.data() + at, entries.emplace_back());
    return entries;
}

template<typename Entry> QByteArray encodeEntries(const std::deque<Entry> &entries)
{
    QByteArray bytes(qsizetype(entries.size()) * EntryBytes<Entry>, '\0');
    char *out = bytes.data();
    for (const Entry &entry : entries) {
        encodeEntry(entry, out);
        out += EntryBytes<Entry>;
    }
    return bytes;
}
