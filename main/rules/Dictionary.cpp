#include "main/rules/Dictionary.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "rules/Error.h"
#include "rules/NativeName.h"
#include "rules/RegularFile.h"

namespace {

using Span = DictionaryLines::Span;

constexpr QByteArrayView Utf16Mark("\xFF\xFE", 2);
constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char Tab = '\t';

// The code units of a file in either encoding, searched for the control characters that make
// its lines without decoding anything. A UTF-16 unit is matched only as a whole: the byte of
// the control character at an even offset, followed by a zero.
template<qsizetype UnitBytes> class Units {
public:
    explicit Units(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    qsizetype count() const { return m_bytes.size() / UnitBytes; }

    bool isControl(qsizetype unit, char control) const
    {
        const char *at = m_bytes.data() + unit * UnitBytes;
        return at[0] == control && (UnitBytes == 1 || at[1] == '\0');
    }

    // The first unit in [from, to) that is the control character, or -1.
    qsizetype indexOf(char control, qsizetype from, qsizetype to) const
    {
        const char *const data = m_bytes.data();
        qsizetype byte = from * UnitBytes;
        const qsizetype end = to * UnitBytes;
        while (byte < end) {
            const auto *found = static_cast<const char *>(
                std::memchr(data + byte, control, std::size_t(end - byte)));
            if (found == nullptr)
                return -1;
            const qsizetype at = found - data;
            if (at % UnitBytes == 0 && isControl(at / UnitBytes, control))
                return at / UnitBytes;
            byte = at + 1;
        }
        return -1;
    }

private:
    QByteArrayView m_bytes;
};

// The entry lines from unit `start` on, up to the limit, without their line ends.
template<qsizetype UnitBytes>
std::vector<Span> findEntryLines(QByteArrayView bytes, qsizetype start)
{
    const Units<UnitBytes> units(bytes);
    const qsizetype count = units.count();
    std::vector<Span> lines;
    while (start <= count && qsizetype(lines.size()) < MaxDictionaryEntries) {
        qsizetype end = units.indexOf(LineFeed, start, count);
        if (end < 0)
            end = count;
        const qsizetype lineStart = start;
        start = end + 1;
        if (units.indexOf(Tab, lineStart, end) < 0)
            continue;
        // The CR before LF is cut off here; any other is removed when the line is decoded.
        while (end > lineStart && units.isControl(end - 1, CarriageReturn))
            --end;
        lines.push_back({lineStart, end - lineStart});
    }
    return lines;
}

// The first line of a Windows-1251 file is its title; entries start after it, if at all.
qsizetype afterFirstLine(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf(LineFeed);
    return end < 0 ? bytes.size() + 1 : end + 1;
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

DictionaryLines::Encoding encodingOf(QByteArrayView bytes)
{
    using Encoding = DictionaryLines::Encoding;
    if (bytes.startsWith(Utf16Mark))
        return Encoding::Utf16Le;
    if (bytes.startsWith(Utf8Mark) || (!isAscii(bytes) && bytes.isValidUtf8()))
        return Encoding::Utf8;
    return Encoding::Win1251;
}

} // namespace

ParsedDictionary parseDictionary(QByteArray bytes)
{
    using Encoding = DictionaryLines::Encoding;
    ParsedDictionary result;
    result.encoding = encodingOf(bytes);
    result.unicode = result.encoding == Encoding::Utf16Le;
    std::vector<Span> lines;
    switch (result.encoding) {
    case Encoding::Utf16Le:
        // The mark is the first unit; an odd last byte is half a unit and never read.
        lines = findEntryLines<sizeof(char16_t)>(bytes, 1);
        break;
    case Encoding::Utf8:
        // LF, CR and TAB bytes occur in UTF-8 only as those characters.
        lines = findEntryLines<1>(bytes, bytes.startsWith(Utf8Mark) ? Utf8Mark.size() : 0);
        break;
    case Encoding::Win1251:
        lines = findEntryLines<1>(bytes, afterFirstLine(bytes));
        break;
    }
    result.lines = DictionaryLines(std::move(bytes), result.encoding, std::move(lines));
    return result;
}

QByteArray readDictionaryFile(const QString &path)
{
    const QString shownPath = shownFileName(nativeFileName(path));
    QFile file;
    if (!openRegularFile(file, path, QIODevice::ReadOnly, MaxDictionaryBytes))
        throw Error(QStringLiteral("Не удалось открыть словарь %1: %2")
                        .arg(shownPath, systemErrorText(ENOENT)));
    // A file that grew after it was opened is cut off here and refused like a large one.
    QByteArray bytes = file.read(MaxDictionaryBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Не удалось прочитать словарь %1: %2")
                        .arg(shownPath, file.errorString()));
    if (bytes.size() > MaxDictionaryBytes)
        throw Error(QStringLiteral("Файл %1 не прочитан: он больше %2 байт")
                        .arg(shownPath)
                        .arg(MaxDictionaryBytes));
    return bytes;
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
