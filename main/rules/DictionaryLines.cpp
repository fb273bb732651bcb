#include "main/rules/DictionaryLines.h"

#include <QtEndian>

#include "rules/Win1251.h"

namespace {

qsizetype unitBytes(DictionaryLines::Encoding encoding)
{
    return encoding == DictionaryLines::Encoding::Utf16Le ? qsizetype(sizeof(char16_t)) : 1;
}

// A file far longer than its kept lines gives back the memory of the rest.
void keepOnly(QByteArray &text, qsizetype bytes)
{
    text.truncate(bytes);
    if (text.capacity() > 2 * text.size())
        text.squeeze();
}

} // namespace

DictionaryLines::DictionaryLines(QByteArray text, Encoding encoding, std::vector<Span> lines)
    : m_text(std::move(text))
    , m_encoding(encoding)
    , m_lines(std::move(lines))
{
    const qsizetype unit = unitBytes(m_encoding);
    Q_ASSERT(m_lines.empty() ||
             (m_lines.front().start >= 0 &&
              (m_lines.back().start + m_lines.back().size) * unit <= m_text.size()));
    keepOnly(m_text, m_lines.empty() ? 0 : (m_lines.back().start + m_lines.back().size) * unit);
}

QString DictionaryLines::at(qsizetype index) const
{
    Q_ASSERT(index >= 0 && index < size());
    const Span span = m_lines[static_cast<std::size_t>(index)];
    const qsizetype unit = unitBytes(m_encoding);
    const char *const bytes = m_text.constData() + span.start * unit;
    QString line;
    if (m_encoding == Encoding::Utf16Le) {
        line = QString(span.size, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(bytes, span.size, line.data());
    } else if (m_encoding == Encoding::Utf8) {
        line = QString::fromUtf8(bytes, span.size);
    } else {
        line = fromWin1251(QByteArrayView(bytes, span.size));
    }
    // CR never belongs to a line.
    if (line.contains(QChar(u'\r')))
        line.remove(QChar(u'\r'));
    return line;
}

void DictionaryLines::clear()
{
    m_text.clear();
    m_lines.clear();
}

QStringList DictionaryLines::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (const QString &line : *this)
        lines.append(line);
    return lines;
}
