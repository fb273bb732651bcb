#include "ExecStat/IniFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "ui/Error.h"
#include "ui/FileReplace.h"
#include "ui/Win1251.h"

namespace {

const QByteArray WrittenLineEnd = QByteArrayLiteral("\r\n");
constexpr char CommentMark = ';';
constexpr char SectionOpen = '[';
constexpr char SectionClose = ']';
constexpr char KeyValueSeparator = '=';

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isQuoted(QByteArrayView text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

std::optional<QString> sectionNameOf(QByteArrayView line)
{
    const QByteArrayView text = trimmedBlanks(line);
    if (text.isEmpty() || text.front() != SectionOpen)
        return std::nullopt;
    const qsizetype close = text.indexOf(SectionClose);
    if (close < 0)
        return std::nullopt;
    return fromWin1251(trimmedBlanks(text.sliced(1, close - 1)));
}

struct KeyLine {
    QString key;
    QByteArrayView value;
};

std::optional<KeyLine> keyLineOf(QByteArrayView line)
{
    const QByteArrayView text = trimmedBlanks(line);
    if (text.isEmpty() || text.front() == CommentMark || text.front() == SectionOpen)
        return std::nullopt;
    const qsizetype separator = text.indexOf(KeyValueSeparator);
    if (separator <= 0)
        return std::nullopt;
    return KeyLine{fromWin1251(trimmedBlanks(text.first(separator))), text.sliced(separator + 1)};
}

QString valueOf(QByteArrayView stored)
{
    QByteArrayView value = trimmedBlanks(stored);
    if (isQuoted(value))
        value = value.sliced(1, value.size() - 2);
    return fromWin1251(value.first(std::min(value.size(), IniFile::MaxValueLength)));
}

// Quotes a value whose surrounding blanks or quotes would otherwise be lost on reading.
QByteArray storedValue(const QString &value)
{
    QByteArray bytes = toWin1251(value);
    bytes.replace('\r', ' ').replace('\n', ' ');
    const bool keepAsIs =
        bytes.isEmpty() || (!isBlank(bytes.front()) && !isBlank(bytes.back()) && !isQuoted(bytes));
    return keepAsIs ? bytes : '"' + bytes + '"';
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

// Each line keeps its own terminator, so that lines left alone are written back as they were.
std::vector<IniFile::Line> IniFile::splitLines(const QByteArray &bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype feed = bytes.indexOf('\n', start);
        if (feed < 0) {
            lines.push_back({bytes.sliced(start), {}});
            break;
        }
        const qsizetype textEnd = feed > start && bytes[feed - 1] == '\r' ? feed - 1 : feed;
        lines.push_back(
            {bytes.sliced(start, textEnd - start), bytes.sliced(textEnd, feed + 1 - textEnd)});
        start = feed + 1;
    }
    return lines;
}

IniFile::IniFile(const QString &fileName)
    : m_fileName(fileName)
{
    const QFileInfo info(m_fileName);
    if (!info.exists())
        return;
    QFile file(m_fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Unable to read %1").arg(fullPath()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Unable to read %1").arg(fullPath()));
    m_lines = splitLines(bytes);
}

QString IniFile::fullPath() const
{
    return QFileInfo(m_fileName).absoluteFilePath();
}

std::optional<IniFile::SectionRange> IniFile::findSection(const QString &section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionNameOf(m_lines[i].text);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !sectionNameOf(m_lines[end].text))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const SectionRange &range, const QString &key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = keyLineOf(m_lines[i].text);
        if (line && sameName(line->key, key))
            return i;
    }
    return std::nullopt;
}

// Right after the section's last key, so that blank and comment lines that lead into the next
// section stay with it.
std::size_t IniFile::insertionPoint(const SectionRange &range) const
{
    std::size_t point = range.header + 1;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (keyLineOf(m_lines[i].text))
            point = i + 1;
    }
    return point;
}

void IniFile::insertLine(std::size_t index, const QByteArray &text)
{
    if (index > 0 && m_lines[index - 1].end.isEmpty())
        m_lines[index - 1].end = WrittenLineEnd;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(index),
                   Line{text, WrittenLineEnd});
}

QString IniFile::readString(const QString &section, const QString &key) const
{
    const auto range = findSection(section);
    if (!range)
        return {};
    const auto index = findKey(*range, key);
    if (!index)
        return {};
    return valueOf(keyLineOf(m_lines[*index].text)->value);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QByteArray line = toWin1251(key) + KeyValueSeparator + storedValue(value);

    const auto range = findSection(section);
    if (!range) {
        insertLine(m_lines.size(), SectionOpen + toWin1251(section) + SectionClose);
        insertLine(m_lines.size(), line);
        m_modified = true;
        return;
    }
    if (const auto index = findKey(*range, key)) {
        // A key whose line reads the same is left alone, line end included: a run that
        // changed no setting does not rewrite the file.
        if (m_lines[*index].text != line) {
            m_lines[*index] = Line{line, WrittenLineEnd};
            m_modified = true;
        }
        return;
    }
    insertLine(insertionPoint(*range), line);
    m_modified = true;
}

QByteArray IniFile::contents() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.text + line.end;
    return bytes;
}

void IniFile::flush()
{
    if (!m_modified)
        return;
    // Replaced whole, or written in place where the folder refuses new files.
    try {
        replaceFile(m_fileName, contents());
    } catch (const Error &) {
        throw Error(QStringLiteral("Unable to write to %1").arg(fullPath()));
    }
    m_modified = false;
}
