// SPDX-License-Identifier: GPL-3.0-or-later
// A KVTML dictionary of any bytes: it loads or is refused with Error naming the file, never
// yields more text than the file holds (so no entity was expanded), and every entry line it
// gives is two non-empty texts joined by one TAB.
#include <QString>

#include "fuzz/FuzzCheck.h"
#include "main/rules/Dictionary.h"
#include "main/rules/KvtmlDictionary.h"
#include "rules/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    holdsSecondTranslation(bytes);
    const QString name = QStringLiteral("fuzz.kvtml");
    QStringList lines;
    try {
        lines = parseKvtml(bytes, name);
    } catch (const Error &error) {
        fuzzCheck(
            error.message().startsWith(QStringLiteral("Не удалось прочитать словарь ") + name),
            "a refused file is named in the error");
        return 0;
    }
    fuzzCheck(lines.size() <= MaxDictionaryEntries, "at most 20000 entry lines");
    qsizetype characters = 0;
    for (const QString &line : lines) {
        characters += line.size();
        fuzzCheck(line.count(QChar(u'\t')) == 1, "every entry line holds exactly one TAB");
        fuzzCheck(!line.contains(QChar(u'\r')) && !line.contains(QChar(u'\n')),
                  "no entry line holds a CR or LF");
        const DictionaryEntry entry = splitEntry(line);
        fuzzCheck(!entry.word.isEmpty() && !entry.translation.isEmpty(),
                  "both sides of an entry hold text");
    }
    // Markup, a TAB included, takes more bytes than the text it holds; an expanded entity would
    // not.
    fuzzCheck(characters <= bytes.size(), "no more text than the file's bytes");
    return 0;
}
