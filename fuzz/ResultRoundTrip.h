// SPDX-License-Identifier: GPL-3.0-or-later
// The records and history loaders take any bytes, and what they read is saved again: one
// decode, encode, decode cycle must give back the same entries, and the encoded bytes must be
// stable from then on.
#pragma once

#include <bit>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "main/rules/ResultCodec.h"

// Dates bit for bit: a NaN from a file is written back as it was, and NaN != NaN.
inline bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline bool sameEntry(const OneHiScore &a, const OneHiScore &b)
{
    return a.Name == b.Name && a.MinValue == b.MinValue && a.MaxValue == b.MaxValue &&
           a.Category == b.Category && a.Score == b.Score && sameBits(a.Date, b.Date) &&
           sameBits(a.Duration, b.Duration) && a.Answers == b.Answers && a.Errors == b.Errors;
}

inline bool sameEntry(const OneHistory &a, const OneHistory &b)
{
    return a.Name == b.Name && a.Description == b.Description && a.Score == b.Score &&
           sameBits(a.Date, b.Date) && sameBits(a.Duration, b.Duration) && a.Answers == b.Answers;
}

template<typename Entry> bool sameEntries(const std::deque<Entry> &a, const std::deque<Entry> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const Entry &x, const Entry &y) { return sameEntry(x, y); });
}

template<typename Entry> void checkRoundTrip(QByteArrayView bytes)
{
    const std::deque<Entry> loaded = decodeEntries<Entry>(bytes);
    fuzzCheck(qsizetype(loaded.size()) == bytes.size() / EntryBytes<Entry>,
              "one entry per whole record, a trailing fragment ignored");

    const QByteArray saved = encodeEntries(loaded);
    fuzzCheck(saved.size() == qsizetype(loaded.size()) * EntryBytes<Entry>,
              "every entry is saved in a record of its own size");

    const std::deque<Entry> reloaded = decodeEntries<Entry>(saved);
    fuzzCheck(sameEntries(loaded, reloaded), "a saved file loads back as the same entries");
    fuzzCheck(encodeEntries(reloaded) == saved, "saving what was loaded back gives the same bytes");
}
