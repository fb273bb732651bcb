// SPDX-License-Identifier: GPL-3.0-or-later
// The records table of one category: the entries of Records with the category's range and code,
// highest score first. Only the first places are listed and asked for a name.
#pragma once

#include <deque>
#include <vector>

#include "main/rules/OneHiScore.h"

constexpr std::size_t RankedPlaces = 20;

struct RecordCategory {
    qint32 MinValue = 0;
    qint32 MaxValue = 0;
    qint32 Code = 0;
};

// Negative when first scored more than second, 0 for equal scores, positive otherwise.
int CompareByScore(const OneHiScore &first, const OneHiScore &second);

// Equal scores keep the order in which they were stored, so the older game holds the place.
std::vector<OneHiScore *> rankCategory(std::deque<OneHiScore> &records,
                                       const RecordCategory &category);
