// SPDX-License-Identifier: GPL-3.0-or-later
// A KVTML dictionary of any bytes: it loads or is refused with Error naming the file, never
// yields more text than the file holds (so no entity was expanded), and every entry line it
// gives is two non-empty texts joined by one TAB. Whenever the quick scanner accepts a file, its
// lines are those of QXmlStreamReader's path, which must not refuse the file.
#include <QString>

#include "fuzz/FuzzCheck.h"
#include "main/rules/Dictionary.h"
#include "main/rules/KvtmlDictionary.h"
#include "main/rules/KvtmlScanner.h"
#include "rules/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    holdsSecondTranslation(bytes);
    const QString name = QStringLiteral("fuzz.kvtml");
    const std::optional<QStringList> scanned = scanPlainKvtml(bytes);
    QStringList lines;
    try {
        lines = parseKvtmlXml(bytes, name);
        fuzzCheck(!scanned || *scanned == lines, "the scanner gives the XML reader's lines");
    } catch (const Error &error) {
        fuzzCheck(
            error.message().startsWith(QStringLiteral("Не удалось прочитать словарь ") + name),
            "a refused file is named in the error");
        fuzzCheck(!scanned, "the scanner accepts no file the XML reader refuses");
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
