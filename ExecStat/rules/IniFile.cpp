// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExecStat/rules/IniFile.h"

#include <QFileInfo>

#include <algorithm>

#include "rules/Error.h"
#include "rules/FileReplace.h"
#include "rules/RegularFile.h"
#include "rules/Win1251.h"

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

IniFile::IniFile(const QString &fileName)
    : m_fileName(fileName)
    , m_text(readRegularFile(fullPath(), MaxFileBytes, QStringLiteral("файл настроек"),
                             IfMissing::ReadEmpty))
{
}

IniFile::Line IniFile::lineAt(qsizetype start) const
{
    const qsizetype feed = m_text.indexOf('\n', start);
    if (feed < 0)
        return {start, m_text.size(), m_text.size()};
    const qsizetype textEnd = feed > start && m_text[feed - 1] == '\r' ? feed - 1 : feed;
    return {start, textEnd, feed + 1};
}

QByteArrayView IniFile::textOf(const Line &line) const
{
    return QByteArrayView(m_text).sliced(line.start, line.textEnd - line.start);
}

QString IniFile::fullPath() const
{
    return QFileInfo(m_fileName).absoluteFilePath();
}

std::optional<IniFile::SectionRange> IniFile::findSection(const QString &section) const
{
    for (Line line = lineAt(0); line.start < m_text.size(); line = lineAt(line.next)) {
        const auto name = sectionNameOf(textOf(line));
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = line.next;
        while (end < m_text.size()) {
            const Line next = lineAt(end);
            if (sectionNameOf(textOf(next)))
                break;
            end = next.next;
        }
        return SectionRange{line.next, end};
    }
    return std::nullopt;
}

std::optional<IniFile::Line> IniFile::findKey(const SectionRange &range, const QString &key) const
{
    for (Line line = lineAt(range.body); line.start < range.end; line = lineAt(line.next)) {
        const auto keyLine = keyLineOf(textOf(line));
        if (keyLine && sameName(keyLine->key, key))
            return line;
    }
    return std::nullopt;
}

// Right after the section's last key, so that blank and comment lines that lead into the next
// section stay with it.
qsizetype IniFile::insertionPoint(const SectionRange &range) const
{
    qsizetype point = range.body;
    for (Line line = lineAt(range.body); line.start < range.end; line = lineAt(line.next)) {
        if (keyLineOf(textOf(line)))
            point = line.next;
    }
    return point;
}

// `at` is the start of a line or the end of the text; a last line without a terminator gets
// one first.
void IniFile::insertLine(qsizetype at, const QByteArray &text)
{
    const bool openLastLine = at > 0 && m_text[at - 1] != '\n';
    m_text.insert(at, (openLastLine ? WrittenLineEnd : QByteArray()) + text + WrittenLineEnd);
}

QString IniFile::readString(const QString &section, const QString &key) const
{
    const auto range = findSection(section);
    if (!range)
        return {};
    const auto line = findKey(*range, key);
    if (!line)
        return {};
    return valueOf(keyLineOf(textOf(*line))->value);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QByteArray line = toWin1251(key) + KeyValueSeparator + storedValue(value);

    const auto range = findSection(section);
    if (!range) {
        insertLine(m_text.size(), SectionOpen + toWin1251(section) + SectionClose);
        insertLine(m_text.size(), line);
        m_modified = true;
        return;
    }
    if (const auto found = findKey(*range, key)) {
        // A key whose line reads the same is left alone, line end included: a run that
        // changed no setting does not rewrite the file.
        if (textOf(*found) != line) {
            m_text.replace(found->start, found->next - found->start, line + WrittenLineEnd);
            m_modified = true;
        }
        return;
    }
    insertLine(insertionPoint(*range), line);
    m_modified = true;
}

void IniFile::flush()
{
    if (!m_modified)
        return;
    // Replaced whole, or written in place where the folder refuses new files.
    try {
        replaceFile(m_fileName, m_text);
    } catch (const Error &) {
        throw Error(QStringLiteral("Unable to write to %1").arg(fullPath()));
    }
    m_modified = false;
}
