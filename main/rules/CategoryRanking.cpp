// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/CategoryRanking.h"

#include <algorithm>

int CompareByScore(const OneHiScore &first, const OneHiScore &second)
{
    if (first.Score > second.Score)
        return -1;
    return first.Score == second.Score ? 0 : 1;
}

std::vector<OneHiScore *> rankCategory(std::deque<OneHiScore> &records,
                                       const RecordCategory &category)
{
    std::vector<OneHiScore *> ranked;
    for (OneHiScore &entry : records) {
        if (entry.MinValue == category.MinValue && entry.MaxValue == category.MaxValue &&
            entry.Category == category.Code)
            ranked.push_back(&entry);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const OneHiScore *a, const OneHiScore *b) {
        return CompareByScore(*a, *b) < 0;
    });
    return ranked;
}
