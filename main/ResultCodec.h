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

#include "main/OneHiScore.h"
#include "main/OneHistory.h"

constexpr qsizetype NameChars = 30;
constexpr qsizetype DescriptionChars = 50;

template<typename Entry> constexpr qsizetype EntryBytes = 0;
template<> inline constexpr qsizetype EntryBytes<OneHiScore> = 72;
template<> inline constexpr qsizetype EntryBytes<OneHistory> = 112;

// Reads one short string. Texts repeat from record to record (one player's games in a row, "-"
// as every history name), so a text equal to the last one shares its string instead of being
// decoded and allocated again. The bytes read must outlive the cache.
class TextCache {
public:
    QString read(const char *at, qsizetype maxChars);

private:
    QByteArrayView m_lastBytes;
    QString m_lastText;
};

struct EntryTextCache {
    TextCache name;
    TextCache description;
};

// Each reads or writes exactly EntryBytes<Entry> bytes.
void decodeEntry(const char *bytes, OneHiScore &entry, EntryTextCache &texts);
void decodeEntry(const char *bytes, OneHistory &entry, EntryTextCache &texts);
void encodeEntry(const OneHiScore &entry, char *bytes);
void encodeEntry(const OneHistory &entry, char *bytes);

template<typename Entry> std::deque<Entry> decodeEntries(QByteArrayView bytes)
{
    std::deque<Entry> entries;
    EntryTextCache texts;
    const qsizetype count = bytes.size() / EntryBytes<Entry>;
    for (qsizetype i = 0; i < count; ++i)
        decodeEntry(bytes.data() + i * EntryBytes<Entry>, entries.emplace_back(), texts);
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
