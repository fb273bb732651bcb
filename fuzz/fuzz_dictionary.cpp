// SPDX-License-Identifier: GPL-3.0-or-later
// A dictionary file of the vocabulary drill, of any bytes: the loader tells the encoding as
// promised and keeps its promises on the entry lines it gives, splitting a line keeps every
// character of it, and a text cut for the screen stays within its limit.
#include <QString>
#include <QStringDecoder>

#include <algorithm>

#include "fuzz/FuzzCheck.h"
#include "main/rules/Dictionary.h"
#include "rules/Win1251.h"

namespace {

constexpr QByteArrayView Utf16Mark("\xFF\xFE", 2);
constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);
using Encoding = DictionaryEncoding;

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

// Told apart by Qt's own decoder rather than the loader's check.
Encoding expectedEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(Utf16Mark))
        return Encoding::Utf16Le;
    if (bytes.startsWith(Utf8Mark))
        return Encoding::Utf8;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    const bool ascii = decoded.size() == bytes.size();
    return !utf8.hasError() && !ascii ? Encoding::Utf8 : Encoding::Win1251;
}

qsizetype expectedLines(QByteArrayView bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf16Le:
        return tabLines(QStringView(utf16Text(bytes.sliced(Utf16Mark.size()))), QChar(u'\n'),
                        QChar(u'\t'));
    case Encoding::Utf8:
        return tabLines(bytes.sliced(bytes.startsWith(Utf8Mark) ? Utf8Mark.size() : 0), '\n', '\t');
    case Encoding::Win1251:
        break;
    }
    const qsizetype titleEnd = bytes.indexOf('\n');
    if (titleEnd < 0)
        return 0;
    return tabLines(bytes.sliced(titleEnd + 1), '\n', '\t');
}

// Each 8-bit entry line is a piece of the file's text (without its CRs), in order. Windows-1251
// lines are encoded again and found among the bytes; UTF-8 lines are found in the text as Qt's
// decoder reads it, since a marked file may hold bytes that are no UTF-8 and read as U+FFFD.
void checkLinesComeFromFile(QByteArrayView bytes, const ParsedDictionary &parsed)
{
    if (parsed.encoding == Encoding::Utf8) {
        // Decoded first, then without CRs: a CR inside a broken sequence ends that sequence.
        QString text =
            QString::fromUtf8(bytes.sliced(bytes.startsWith(Utf8Mark) ? Utf8Mark.size() : 0));
        text.remove(QChar(u'\r'));
        qsizetype from = 0;
        for (const QString &line : parsed.lines) {
            const qsizetype at = text.indexOf(line, from);
            fuzzCheck(at >= from, "a UTF-8 entry line is a line of the file's text, in file order");
            from = at + line.size();
        }
        return;
    }
    QByteArray withoutCr = bytes.toByteArray();
    withoutCr.replace('\r', QByteArrayView());
    qsizetype from = withoutCr.indexOf('\n') + 1;
    for (const QString &line : parsed.lines) {
        const QByteArray encoded = toWin1251(line);
        const qsizetype at = withoutCr.indexOf(encoded, from);
        fuzzCheck(at >= from, "a Windows-1251 entry line is a line of the file, in file order");
        from = at + encoded.size();
    }
}

void checkShownText(QStringView text)
{
    const QString shown = shownText(text);
    fuzzCheck(shown.size() <= MaxShownLength, "a text on screen is within its limit");
    fuzzCheck(shown == text ||
                  (shown.back() == QChar(ShownCutMark) && text.startsWith(shown.chopped(1))),
              "a text on screen is the whole text or its start and the mark of a cut");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    const ParsedDictionary parsed = parseDictionary(bytes.toByteArray());

    const Encoding encoding = expectedEncoding(bytes);
    fuzzCheck(parsed.encoding == encoding, "UTF-16 when marked FF FE, UTF-8 when marked or valid "
                                           "and not ASCII, otherwise Windows-1251");
    fuzzCheck(parsed.unicode == (encoding == Encoding::Utf16Le), "unicode means UTF-16");
    fuzzCheck(parsed.lines.size() <= MaxDictionaryEntries, "at most 20000 entry lines");
    fuzzCheck(parsed.lines.size() == std::min(expectedLines(bytes, encoding), MaxDictionaryEntries),
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
        checkShownText(entry.word);
        checkShownText(entry.translation);
    }
    if (!parsed.unicode)
        checkLinesComeFromFile(bytes, parsed);
    return 0;
}
