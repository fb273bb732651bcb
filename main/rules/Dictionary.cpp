// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/Dictionary.h"

#include <QtEndian>

#include <algorithm>

#include "main/rules/KvtmlDictionary.h"
#include "rules/RegularFile.h"
#include "rules/Win1251.h"

namespace {

constexpr QByteArrayView Utf16Mark("\xFF\xFE", 2);
constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);
constexpr char16_t LineFeed = u'\n';
constexpr char16_t CarriageReturn = u'\r';
constexpr char16_t Tab = u'\t';

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

DictionaryEncoding encodingOf(QByteArrayView bytes)
{
    if (bytes.startsWith(Utf16Mark))
        return DictionaryEncoding::Utf16Le;
    if (bytes.startsWith(Utf8Mark) || (!isAscii(bytes) && bytes.isValidUtf8()))
        return DictionaryEncoding::Utf8;
    return DictionaryEncoding::Win1251;
}

// The whole text after any mark. UTF-16 units are taken as they are, unpaired surrogates
// included; an odd last byte is half a unit and left out.
QString decodedText(QByteArrayView bytes, DictionaryEncoding encoding)
{
    switch (encoding) {
    case DictionaryEncoding::Utf16Le: {
        const QByteArrayView units = bytes.sliced(Utf16Mark.size());
        QString text(units.size() / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
        qFromLittleEndian<char16_t>(units.data(), text.size(), text.data());
        return text;
    }
    case DictionaryEncoding::Utf8:
        return QString::fromUtf8(bytes.startsWith(Utf8Mark) ? bytes.sliced(Utf8Mark.size())
                                                            : bytes);
    case DictionaryEncoding::Win1251:
        break;
    }
    return fromWin1251(bytes);
}

// The lines holding a TAB, in order and without their CR characters, up to the limit.
QStringList entryLines(QStringView text)
{
    QStringList lines;
    for (qsizetype start = 0; start <= text.size() && lines.size() < MaxDictionaryEntries;) {
        qsizetype end = text.indexOf(QChar(LineFeed), start);
        if (end < 0)
            end = text.size();
        const QStringView line = text.sliced(start, end - start);
        start = end + 1;
        if (!line.contains(QChar(Tab)))
            continue;
        QString entry = line.toString();
        entry.remove(QChar(CarriageReturn));
        lines.append(std::move(entry));
    }
    return lines;
}

// The first line of a Windows-1251 file is its title; entries start after it, if at all.
QStringView afterFirstLine(QStringView text)
{
    const qsizetype end = text.indexOf(QChar(LineFeed));
    return end < 0 ? QStringView() : text.sliced(end + 1);
}

} // namespace

ParsedDictionary parseDictionary(QByteArrayView bytes)
{
    ParsedDictionary result;
    result.encoding = encodingOf(bytes);
    result.unicode = result.encoding == DictionaryEncoding::Utf16Le;
    const QString text = decodedText(bytes, result.encoding);
    result.lines = entryLines(result.encoding == DictionaryEncoding::Win1251 ? afterFirstLine(text)
                                                                             : QStringView(text));
    return result;
}

QByteArray readDictionaryFile(const QString &path)
{
    return readRegularFile(path, MaxDictionaryBytes, QStringLiteral("словарь"));
}

QStringList loadDictionaryLines(const QString &path)
{
    const QByteArray bytes = readDictionaryFile(path);
    return isKvtmlFileName(path) ? parseKvtml(bytes, path) : parseDictionary(bytes).lines;
}

QString shownText(QStringView text)
{
    if (text.size() <= MaxShownLength)
        return text.toString();
    qsizetype kept = MaxShownLength - 1;
    if (text[kept - 1].isHighSurrogate())
        --kept;
    return text.first(kept).toString() + QChar(ShownCutMark);
}

DictionaryEntry splitEntry(QStringView line)
{
    const qsizetype tab = line.indexOf(QChar(u'\t'));
    if (tab < 0)
        return {line, QStringView()};
    return {line.first(tab), line.sliced(tab + 1)};
}

int taskFontSize(qsizetype length)
{
    constexpr qsizetype LargeUpTo = 16;
    constexpr int Large = 36;
    constexpr qsizetype MediumUpTo = 22;
    constexpr int Medium = 24;
    // Longer questions shrink with their length so that they keep to about one line.
    constexpr qsizetype ScaledBudget = 500;
    if (length <= LargeUpTo)
        return Large;
    if (length <= MediumUpTo)
        return Medium;
    return static_cast<int>(ScaledBudget / length + 1);
}

int optionFontSize(qsizetype length)
{
    struct Step {
        qsizetype upTo;
        int size;
    };
    constexpr Step Steps[] = {{30, 11}, {40, 10}, {60, 9}};
    constexpr int Smallest = 7;
    for (const Step &step : Steps) {
        if (length <= step.upTo)
            return step.size;
    }
    return Smallest;
}
