#include "main/Dictionary.h"

#include <QFile>
#include <QtEndian>

#include "ui/Error.h"
#include "ui/Win1251.h"

namespace {

constexpr QByteArrayView Utf16Mark("\xFF\xFE", 2);

// The control characters of a line in the code units of either encoding, so that 8-bit
// files are split as bytes and only their entry lines are ever decoded.
template<typename View> struct Controls;
template<> struct Controls<QByteArrayView> {
    static constexpr char LineFeed = '\n';
    static constexpr char CarriageReturn = '\r';
    static constexpr char Tab = '\t';
};
template<> struct Controls<QStringView> {
    static constexpr QChar LineFeed = u'\n';
    static constexpr QChar CarriageReturn = u'\r';
    static constexpr QChar Tab = u'\t';
};

QString decoded(QByteArrayView line)
{
    return fromWin1251(line);
}

QString decoded(QStringView line)
{
    return line.toString();
}

QString decodeUtf16Le(QByteArrayView bytes)
{
    // An odd last byte is half a code unit: there is no character to make of it.
    const qsizetype units = bytes.size() / qsizetype(sizeof(char16_t));
    QString text(units, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.data(), units, text.data());
    return text;
}

// The first line of an 8-bit file is its title.
QByteArrayView afterFirstLine(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf(Controls<QByteArrayView>::LineFeed);
    return end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
}

template<typename View> QStringList entryLines(View text)
{
    using C = Controls<View>;
    QStringList lines;
    lines.reserve(std::min<qsizetype>(text.count(C::LineFeed) + 1, MaxDictionaryEntries));
    qsizetype start = 0;
    while (start <= text.size() && lines.size() < MaxDictionaryEntries) {
        qsizetype end = text.indexOf(C::LineFeed, start);
        if (end < 0)
            end = text.size();
        View line = text.sliced(start, end - start);
        start = end + 1;
        if (!line.contains(C::Tab))
            continue;
        // CR never belongs to a line: the one before LF is cut off, any other is removed.
        while (line.endsWith(C::CarriageReturn))
            line.chop(1);
        QString entry = decoded(line);
        if (line.contains(C::CarriageReturn))
            entry.remove(QChar(u'\r'));
        lines.append(std::move(entry));
    }
    return lines;
}

} // namespace

ParsedDictionary parseDictionary(QByteArrayView bytes)
{
    ParsedDictionary result;
    result.unicode = bytes.startsWith(Utf16Mark);
    if (result.unicode) {
        const QString text = decodeUtf16Le(bytes.sliced(Utf16Mark.size()));
        result.lines = entryLines(QStringView(text));
    } else {
        result.lines = entryLines(afterFirstLine(bytes));
    }
    return result;
}

QByteArray readDictionaryFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral("Cannot open the dictionary %1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(
            QStringLiteral("Cannot read the dictionary %1: %2").arg(path, file.errorString()));
    return bytes;
}

DictionaryEntry splitEntry(QStringView line)
{
    const qsizetype tab = line.indexOf(Controls<QStringView>::Tab);
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
