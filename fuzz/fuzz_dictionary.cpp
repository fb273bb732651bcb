// A dictionary file of the vocabulary drill, of any bytes: the loader keeps its promises on
// the entry lines it gives, and splitting a line keeps every character of it.
#include <QString>

#include <algorithm>

#include "fuzz/FuzzCheck.h"
#include "main/Dictionary.h"
#include "ui/Win1251.h"

namespace {

constexpr QByteArrayView Utf16Mark("\xFF\xFE", 2);

// Lines holding a TAB, counted the plain way: the loader must keep every one, up to its cap.
template<typename View, typename Char> qsizetype tabLines(View text, Char lineFeed, Char tab)
{
    qsizetype count = 0;
    bool tabSeen = false;
    for (const auto c : text) {
        if (c == lineFeed) {
            count += tabSeen ? 1 : 0;
            tabSeen = false;
        } else if (c == tab) {
            tabSeen = true;
        }
    }
    return count + (tabSeen ? 1 : 0);
}

QString utf16Text(QByteArrayView bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8)));
    return text;
}

qsizetype expectedLines(QByteArrayView bytes)
{
    if (bytes.startsWith(Utf16Mark))
        return tabLines(QStringView(utf16Text(bytes.sliced(Utf16Mark.size()))), QChar(u'\n'),
                        QChar(u'\t'));
    const qsizetype titleEnd = bytes.indexOf('\n');
    if (titleEnd < 0)
        return 0;
    return tabLines(bytes.sliced(titleEnd + 1), '\n', '\t');
}

// Each 8-bit entry line, encoded again, is a piece of the file (without its CRs), in order.
void checkLinesComeFromFile(QByteArrayView bytes, const DictionaryLines &lines)
{
    QByteArray withoutCr = bytes.toByteArray();
    withoutCr.replace('\r', QByteArrayView());
    qsizetype from = withoutCr.indexOf('\n') + 1;
    for (const QString &line : lines) {
        const qsizetype at = withoutCr.indexOf(toWin1251(line), from);
        fuzzCheck(at >= from, "an 8-bit entry line is a line of the file, in file order");
        from = at + line.size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    const ParsedDictionary parsed = parseDictionary(bytes.toByteArray());

    fuzzCheck(parsed.unicode == bytes.startsWith(Utf16Mark), "UTF-16 exactly when marked FF FE");
    fuzzCheck(parsed.lines.size() <= MaxDictionaryEntries, "at most 20000 entry lines");
    fuzzCheck(parsed.lines.size() == std::min(expectedLines(bytes), MaxDictionaryEntries),
              "every line with a TAB is kept, up to the cap");
    for (const QString &line : parsed.lines) {
        fuzzCheck(line.contains(QChar(u'\t')), "every entry line holds a TAB");
        fuzzCheck(!line.contains(QChar(u'\r')) && !line.contains(QChar(u'\n')),
                  "no entry line holds a CR or LF");
        const DictionaryEntry entry = splitEntry(line);
        fuzzCheck(!entry.word.contains(QChar(u'\t')), "the word ends at the first TAB");
        fuzzCheck(entry.word.size() + 1 + entry.translation.size() == line.size() &&
                      entry.translation == QStringView(line).sliced(entry.word.size() + 1),
                  "word, TAB and translation make the whole line");
        fuzzCheck(taskFontSize(line.size()) > 0 && optionFontSize(entry.translation.size()) > 0,
                  "every text gets a visible font size");
    }
    if (!parsed.unicode)
        checkLinesComeFromFile(bytes, parsed.lines);
    return 0;
}
