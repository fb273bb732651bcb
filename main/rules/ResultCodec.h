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

// Decodes a file handed over in pieces; each piece but the last must hold whole entries.
template<typename Entry> class EntryDecoder {
public:
    void decode(QByteArrayView piece)
    {
        const qsizetype count = piece.size() / EntryBytes<Entry>;
        for (qsizetype i = 0; i < count; ++i)
            decodeEntry(piece.data() + i * EntryBytes<Entry>, m_entries.emplace_back());
    }
    std::deque<Entry> take() { return std::move(m_entries); }

private:
    std::deque<Entry> m_entries;
};

template<typename Entry> std::deque<Entry> decodeEntries(QByteArrayView bytes)
{
    EntryDecoder<Entry> decoder;
    decoder.decode(bytes);
    return decoder.take();
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
