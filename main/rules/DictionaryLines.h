// The entry lines of a loaded dictionary. The file's bytes are kept as they were read, with
// where each entry line lies in them; a line is decoded only when a task asks for it. Loading
// a dictionary of 20 000 entries therefore decodes and allocates nothing per entry, and holds
// little beside the file's own bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <iterator>
#include <vector>

class DictionaryLines {
public:
    enum class Encoding { Win1251, Utf16Le, Utf8 };
    // Where a line lies in the text, in code units of its encoding.
    struct Span {
        qsizetype start = 0;
        qsizetype size = 0;
    };

    DictionaryLines() = default;
    // The spans must lie within the text, in ascending order.
    DictionaryLines(QByteArray text, Encoding encoding, std::vector<Span> lines);

    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    // The line decoded, without any CR it holds.
    QString at(qsizetype index) const;
    void clear();
    QStringList toStringList() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator() = default;
        QString operator*() const { return m_lines->at(m_index); }
        const_iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_index;
            return before;
        }
        bool operator==(const const_iterator &other) const = default;

    private:
        friend class DictionaryLines;
        const_iterator(const DictionaryLines *lines, qsizetype index)
            : m_lines(lines)
            , m_index(index)
        {
        }
        const DictionaryLines *m_lines = nullptr;
        qsizetype m_index = 0;
    };

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    QByteArray m_text;
    Encoding m_encoding = Encoding::Win1251;
    std::vector<Span> m_lines;
};
