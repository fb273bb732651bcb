// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/ResultCodec.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>

#include "rules/Win1251.h"

namespace {

namespace RecordOffset {
constexpr qsizetype Name = 0;
constexpr qsizetype MinValue = 32;
constexpr qsizetype MaxValue = 36;
constexpr qsizetype Category = 40;
constexpr qsizetype Score = 44;
constexpr qsizetype Date = 48;
constexpr qsizetype Duration = 56;
constexpr qsizetype Answers = 64;
constexpr qsizetype Errors = 68;
} // namespace RecordOffset

namespace HistoryOffset {
constexpr qsizetype Name = 0;
constexpr qsizetype Description = 31;
constexpr qsizetype Score = 84;
constexpr qsizetype Date = 88;
constexpr qsizetype Duration = 96;
constexpr qsizetype Answers = 104;
} // namespace HistoryOffset

qint32 readInt(const char *at)
{
    return qFromLittleEndian<qint32>(at);
}

// Bit for bit: a NaN or a negative zero read from a file is written back unchanged.
double readDouble(const char *at)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(at));
}

void writeInt(qint32 value, char *at)
{
    qToLittleEndian(value, at);
}

void writeDouble(double value, char *at)
{
    qToLittleEndian(std::bit_cast<quint64>(value), at);
}

constexpr char16_t CyrillicFirst = u'А';
constexpr char16_t CyrillicLast = u'я';
constexpr unsigned char CyrillicFirstByte = 0xC0;

// Straight into the record: ASCII and the Cyrillic alphabet, nearly every character of a name,
// need no table look-up and no buffer of their own.
char win1251Char(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return static_cast<char>(u);
    if (u >= CyrillicFirst && u <= CyrillicLast)
        return static_cast<char>(CyrillicFirstByte + (u - CyrillicFirst));
    return toWin1251(QStringView(&c, 1)).front();
}

// The field behind the length byte must already hold zeros.
void writeShortString(const QString &text, qsizetype maxChars, char *at)
{
    const qsizetype length = std::min(text.size(), maxChars);
    *at = static_cast<char>(length);
    std::transform(text.cbegin(), text.cbegin() + length, at + 1, win1251Char);
}

} // namespace

QString readShortString(const char *at, qsizetype maxChars)
{
    const qsizetype length = std::min<qsizetype>(static_cast<unsigned char>(*at), maxChars);
    return fromWin1251(QByteArrayView(at + 1, length));
}

void decodeEntry(const char *bytes, OneHiScore &entry)
{
    entry.Name = readShortString(bytes + RecordOffset::Name, NameChars);
    entry.MinValue = readInt(bytes + RecordOffset::MinValue);
    entry.MaxValue = readInt(bytes + RecordOffset::MaxValue);
    entry.Category = readInt(bytes + RecordOffset::Category);
    entry.Score = readInt(bytes + RecordOffset::Score);
    entry.Date = readDouble(bytes + RecordOffset::Date);
    entry.Duration = readDouble(bytes + RecordOffset::Duration);
    entry.Answers = readInt(bytes + RecordOffset::Answers);
    entry.Errors = readInt(bytes + RecordOffset::Errors);
}

void decodeEntry(const char *bytes, OneHistory &entry)
{
    entry.Name = readShortString(bytes + HistoryOffset::Name, NameChars);
    entry.Description = readShortString(bytes + HistoryOffset::Description, DescriptionChars);
    entry.Score = readInt(bytes + HistoryOffset::Score);
    entry.Date = readDouble(bytes + HistoryOffset::Date);
    entry.Duration = readDouble(bytes + HistoryOffset::Duration);
    entry.Answers = readInt(bytes + HistoryOffset::Answers);
}

void encodeEntry(const OneHiScore &entry, char *bytes)
{
    std::memset(bytes, 0, std::size_t(EntryBytes<OneHiScore>));
    writeShortString(entry.Name, NameChars, bytes + RecordOffset::Name);
    writeInt(entry.MinValue, bytes + RecordOffset::MinValue);
    writeInt(entry.MaxValue, bytes + RecordOffset::MaxValue);
    writeInt(entry.Category, bytes + RecordOffset::Category);
    writeInt(entry.Score, bytes + RecordOffset::Score);
    writeDouble(entry.Date, bytes + RecordOffset::Date);
    writeDouble(entry.Duration, bytes + RecordOffset::Duration);
    writeInt(entry.Answers, bytes + RecordOffset::Answers);
    writeInt(entry.Errors, bytes + RecordOffset::Errors);
}

void encodeEntry(const OneHistory &entry, char *bytes)
{
    std::memset(bytes, 0, std::size_t(EntryBytes<OneHistory>));
    writeShortString(entry.Name, NameChars, bytes + HistoryOffset::Name);
    writeShortString(entry.Description, DescriptionChars, bytes + HistoryOffset::Description);
    writeInt(entry.Score, bytes + HistoryOffset::Score);
    writeDouble(entry.Date, bytes + HistoryOffset::Date);
    writeDouble(entry.Duration, bytes + HistoryOffset::Duration);
    writeInt(entry.Answers, bytes + HistoryOffset::Answers);
}
