// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/DictionaryTask.h"

#include "main/rules/Dictionary.h"

namespace {

constexpr int DistractorsWanted = 3;
constexpr int DistractorTries = 1000;

} // namespace

// A free button shows no text: an empty text is never placed while another button is free.
bool placeOption(OptionTexts &options, const QString &text, RandomGenerator &random)
{
    const auto chosen = std::size_t(random.next(OptionCount));
    if (options[chosen])
        return false;
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (i != chosen && options[i].value_or(QString()) == text)
            return false;
    }
    options[chosen] = text;
    return true;
}

DictionaryTask drawDictionaryTask(const QStringList &lines, bool reversed, RandomGenerator &random)
{
    const auto count = static_cast<qint32>(lines.size());
    const QString &line = lines.at(random.next(count));
    const DictionaryEntry entry = splitEntry(line);

    DictionaryTask task;
    // The right answer is the text its button carries, so it is cut as shown too.
    task.question = shownText(reversed ? entry.translation : entry.word);
    task.rightWord = shownText(reversed ? entry.word : entry.translation);
    placeOption(task.options, task.rightWord, random);

    int needed = DistractorsWanted;
    for (int triesLeft = DistractorTries; needed > 0 && triesLeft > 0; --triesLeft) {
        const QString &otherLine = lines.at(random.next(count));
        const DictionaryEntry other = splitEntry(otherLine);
        if (placeOption(task.options, shownText(reversed ? other.word : other.translation), random))
            --needed;
    }
    return task;
}
