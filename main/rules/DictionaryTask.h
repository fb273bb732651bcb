// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of a vocabulary task: an entry of the dictionary, its word or its translation as the
// question (by the direction), the other as the right answer on a random option button, and the
// answers of other entries on the remaining buttons. Every draw comes from the program's one
// random generator in a fixed order, so a game from one seed is always the same.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "rules/RandomGenerator.h"

constexpr int OptionCount = 4;

// The texts of the option buttons in their order; a button no draw reached stays free.
using OptionTexts = std::array<std::optional<QString>, OptionCount>;

struct DictionaryTask {
    QString question;
    QString rightWord;
    OptionTexts options;
};

// Draws the entry, then places the right word, then tries up to 1000 other entries until three
// more texts are placed. Texts are those shown on screen (see shownText). `lines` holds at least
// one entry.
DictionaryTask drawDictionaryTask(const QStringList &lines, bool reversed, RandomGenerator &random);

// One placement: draws a button; false when it is taken or another button holds the text.
bool placeOption(OptionTexts &options, const QString &text, RandomGenerator &random);
