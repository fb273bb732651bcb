// SPDX-License-Identifier: GPL-3.0-or-later
// The two contents that save_probe writes in turn and tst_faults expects, byte for byte: as
// many records and history entries as a long-used program holds, different in every entry.
#pragma once

#include <QByteArray>

#include <array>
#include <deque>

#include "main/rules/ResultCodec.h"

constexpr int ProbeEntries = 100000;
constexpr int ProbeContentCount = 2;

struct ProbeContent {
    std::deque<OneHiScore> records;
    std::deque<OneHistory> history;
};

inline ProbeContent probeContent(int which)
{
    constexpr TDateTime FirstDay = 45000.0;
    constexpr TDateTime GameLength = 0.002;
    ProbeContent content;
    const QString name = which == 0 ? QStringLiteral("Старый") : QStringLiteral("Новый");
    for (int i = 0; i < ProbeEntries; ++i) {
        OneHiScore &record = content.records.emplace_back();
        record.Name = name;
        record.MinValue = 1;
        record.MaxValue = 30 + which;
        record.Category = i % 7;
        record.Score = i * 3 + which;
        record.Date = FirstDay + i / 100.0;
        record.Duration = GameLength;
        record.Answers = i;
        record.Errors = 10;

        OneHistory &past = content.history.emplace_back();
        past.Name = QStringLiteral("-");
        past.Description = name + QStringLiteral(" от 1 до 30");
        past.Score = record.Score;
        past.Date = record.Date;
        past.Duration = GameLength;
        past.Answers = i;
    }
    return content;
}

struct ProbeBytes {
    QByteArray records;
    QByteArray history;
};

inline std::array<ProbeBytes, ProbeContentCount> probeBytes()
{
    std::array<ProbeBytes, ProbeContentCount> bytes;
    for (int which = 0; which < ProbeContentCount; ++which) {
        const ProbeContent content = probeContent(which);
        bytes[which] = {encodeEntries(content.records), encodeEntries(content.history)};
    }
    return bytes;
}
