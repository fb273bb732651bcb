// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/KvtmlScanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "main/rules/Dictionary.h"

namespace {

// Parley nests lessons a few levels deep; deeper files go to the XML reader.
constexpr std::size_t MaxDepth = 256;
constexpr std::size_t MaxAttributes = 16;
// "&#x10FFFF;" with room for a few leading zeros; longer references go to the XML reader.
constexpr int MaxReferenceDigits = 8;
constexpr qsizetype NoSide = -1;

// Thrown inside the scanner on anything it leaves to the XML reader.
struct Unusual {};

// What an open element means to the entries, as the XML reader walks them.
enum class Role : quint8 { Root, Entries, Entry, OldEntry, Translation, Text, Skipped };

struct OpenElement {
    std::string_view name;
    Role role = Role::Skipped;
};

// Bytes that character data passes as they are: the scanner's inner loop.
constexpr std::array<bool, 256> PlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[c] = c != '<' && c != '&' && c != '>';
    plain['\t'] = plain['\n'] = true;
    return plain;
}();

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Names of ASCII letters, digits, '_', '.' and '-' only: a prefix or a letter beyond ASCII goes to
// the XML reader.
bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

constexpr std::array<bool, 256> NameBytes = [] {
    std::array<bool, 256> name{};
    for (int c = 0; c < 128; ++c) {
        name[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '_' || c == '.' || c == '-';
    }
    return name;
}();

bool isNameChar(char c)
{
    return NameBytes[uchar(c)];
}

bool isPublicIdChar(char c)
{
    return isNameChar(c) || c == ' ' || (c != 0 && std::strchr("'()+,/:=?;!*#@$%", c) != nullptr);
}

// XML's characters, without U+FFFE and U+FFFF, which QXmlStreamReader refuses as text.
bool isXmlChar(char32_t code)
{
    return code == '\t' || code == '\n' || code == '\r' || (code >= 0x20 && code < 0xD800) ||
           (code >= 0xE000 && code < 0xFFFE) || (code >= 0x10000 && code <= 0x10FFFF);
}

// One strict UTF-8 sequence (no overlong forms, surrogates or code points past U+10FFFF).
char32_t decodeUtf8(const char *&at, const char *end)
{
    const auto lead = uchar(*at);
    // Cyrillic, the common case, first.
    if (lead >= 0xC2 && lead <= 0xDF && end - at >= 2 && (uchar(at[1]) & 0xC0) == 0x80) {
        const char32_t code = char32_t(lead & 0x1F) << 6 | (uchar(at[1]) & 0x3F);
        at += 2;
        return code;
    }
    int length = 0;
    char32_t code = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        throw Unusual{};
    }
    if (end - at < length)
        throw Unusual{};
    for (int i = 1; i < length; ++i) {
        const auto next = uchar(at[i]);
        if (next < low || next > high)
            throw Unusual{};
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (next & 0x3F);
    }
    at += length;
    return code;
}

void appendUtf16(std::u16string &text, char32_t code)
{
    if (code < 0x10000) {
        text += char16_t(code);
    } else {
        text += char16_t(0xD800 + ((code - 0x10000) >> 10));
        text += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
}

int digitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Walks the file as KvtmlReader in KvtmlDictionary.cpp does: the same elements give the texts,
// the same entries make lines, and reading stops at the same place.
class Scanner {
public:
    explicit Scanner(QByteArrayView bytes)
        : m_begin(bytes.data())
        , m_at(bytes.data())
        , m_end(bytes.data() + bytes.size())
    {
    }

    QStringList scan()
    {
        declaration();
        prolog();
        rootElement();
        // QXmlStreamReader decodes the whole file first, so a bad byte past the cut refuses it.
        if (full())
            requireUtf8();
        else
            epilog();
        return std::move(m_lines);
    }

private:
    bool full() const { return m_lines.size() >= MaxDictionaryEntries; }

    bool at(char c) const { return m_at < m_end && *m_at == c; }

    bool startsWith(std::string_view text) const
    {
        return m_end - m_at >= qsizetype(text.size()) &&
               std::memcmp(m_at, text.data(), text.size()) == 0;
    }

    void expect(std::string_view text)
    {
        if (!startsWith(text))
            throw Unusual{};
        m_at += text.size();
    }

    bool skipSpace()
    {
        const char *start = m_at;
        while (m_at < m_end && isSpace(*m_at))
            ++m_at;
        return m_at != start;
    }

    void requireSpace()
    {
        if (!skipSpace())
            throw Unusual{};
    }

    // One character of markup or text, checked and passed.
    void character()
    {
        const auto c = uchar(*m_at);
        if (c >= 0x80) {
            nonAscii();
        } else if (c < 0x20 && !isSpace(char(c))) {
            throw Unusual{};
        } else {
            ++m_at;
        }
    }

    char32_t nonAscii()
    {
        const char32_t code = decodeUtf8(m_at, m_end);
        if (!isXmlChar(code))
            throw Unusual{};
        return code;
    }

    void requireUtf8()
    {
        while (m_at < m_end) {
            if (uchar(*m_at) < 0x80)
                ++m_at;
            else
                decodeUtf8(m_at, m_end);
        }
    }

    std::string_view name()
    {
        const char *start = m_at;
        if (m_at == m_end || !isNameStart(*m_at))
            throw Unusual{};
        while (++m_at < m_end && isNameChar(*m_at)) {
        }
        return {start, std::size_t(m_at - start)};
    }

    // A quoted value without references or '<'.
    std::string_view quoted()
    {
        if (!at('"') && !at('\''))
            throw Unusual{};
        const char quote = *m_at++;
        const char *start = m_at;
        while (m_at < m_end && *m_at != quote) {
            if (*m_at == '<' || *m_at == '&')
                throw Unusual{};
            character();
        }
        if (m_at == m_end)
            throw Unusual{};
        return {start, std::size_t(m_at++ - start)};
    }

    void equals()
    {
        skipSpace();
        expect("=");
        skipSpace();
    }

    // <?xml version="1.0" encoding="UTF-8"?> or nothing, after an optional UTF-8 byte order mark.
    void declaration()
    {
        if (startsWith("\xEF\xBB\xBF"))
            m_at += 3;
        if (!startsWith("<?xml"))
            return;
        m_at += 5;
        requireSpace();
        expect("version");
        equals();
        if (quoted() != "1.0")
            throw Unusual{};
        if (skipSpace() && startsWith("encoding")) {
            m_at += 8;
            equals();
            const std::string_view encoding = quoted();
            if (QLatin1StringView(encoding.data(), qsizetype(encoding.size()))
                    .compare(QLatin1StringView("utf-8"), Qt::CaseInsensitive) != 0) {
                throw Unusual{};
            }
            skipSpace();
        }
        expect("?>");
    }

    void prolog()
    {
        bool documentType = false;
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                comment();
            } else if (!documentType && startsWith("<!DOCTYPE")) {
                documentType = true;
                doctype();
            } else if (at('<')) {
                return;
            } else {
                throw Unusual{};
            }
        }
    }

    // <!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://..."> without declarations of its own.
    void doctype()
    {
        m_at += 9;
        requireSpace();
        name();
        if (skipSpace()) {
            if (startsWith("SYSTEM")) {
                m_at += 6;
                requireSpace();
                quoted();
                skipSpace();
            } else if (startsWith("PUBLIC")) {
                m_at += 6;
                requireSpace();
                const std::string_view id = quoted();
                if (!std::all_of(id.begin(), id.end(), isPublicIdChar))
                    throw Unusual{};
                requireSpace();
                quoted();
                skipSpace();
            }
        }
        expect(">");
    }

    void epilog()
    {
        for (;;) {
            skipSpace();
            if (m_at == m_end)
                return;
            if (!startsWith("<!--"))
                throw Unusual{};
            comment();
        }
    }

    void comment()
    {
        m_at += 4;
        for (;;) {
            while (m_at < m_end && *m_at != '-')
                character();
            if (startsWith("-->")) {
                m_at += 3;
                return;
            }
            if (m_at == m_end || startsWith("--"))
                throw Unusual{};
            ++m_at;
        }
    }

    // The root element with everything in it, up to its end tag or the entry that fills the list.
    void rootElement()
    {
        startTag();
        while (!m_open.empty() && !full()) {
            if (m_at == m_end)
                throw Unusual{};
            if (*m_at != '<')
                characters();
            else if (startsWith("</"))
                endTag();
            else if (startsWith("<!--"))
                comment();
            else
                startTag();
        }
    }

    void startTag()
    {
        ++m_at;
        const std::string_view tag = name();
        std::size_t count = 0;
        std::string_view id;
        bool empty = false;
        for (;;) {
            const bool space = skipSpace();
            if (at('>')) {
                ++m_at;
                break;
            }
            if (startsWith("/>")) {
                m_at += 2;
                empty = true;
                break;
            }
            if (!space || count == MaxAttributes)
                throw Unusual{};
            const std::string_view attribute = name();
            const auto before = m_attributes.begin() + count;
            if (attribute == "xmlns" ||
                std::find(m_attributes.begin(), before, attribute) != before)
                throw Unusual{};
            m_attributes[count++] = attribute;
            equals();
            const std::string_view value = quoted();
            if (attribute == "id")
                id = value;
        }
        open(tag, id);
        if (empty)
            close();
    }

    void endTag()
    {
        m_at += 2;
        const std::string_view tag = name();
        skipSpace();
        expect(">");
        if (tag != m_open.back().name)
            throw Unusual{};
        close();
    }

    void open(std::string_view tag, std::string_view id)
    {
        if (m_open.size() == MaxDepth)
            throw Unusual{};
        if (m_open.empty() && tag != "kvtml")
            throw Unusual{};
        m_open.push_back({tag, m_open.empty() ? Role::Root : roleOf(tag, id)});
    }

    Role roleOf(std::string_view tag, std::string_view id)
    {
        switch (m_open.back().role) {
        case Role::Root:
            if (tag == "entries")
                return Role::Entries;
            return tag == "e" ? startEntry(Role::OldEntry) : Role::Skipped;
        case Role::Entries:
            return tag == "entry" ? startEntry(Role::Entry) : Role::Skipped;
        case Role::Entry:
            return tag == "translation" && takeSide(id == "0" ? 0 : (id == "1" ? 1 : NoSide))
                       ? Role::Translation
                       : Role::Skipped;
        case Role::Translation:
            if (tag != "text" || m_textSeen)
                return Role::Skipped;
            m_textSeen = true;
            return Role::Text;
        case Role::OldEntry:
            return takeSide(tag == "o" ? 0 : (tag == "t" ? 1 : NoSide)) ? Role::Text
                                                                        : Role::Skipped;
        default:
            return Role::Skipped;
        }
    }

    Role startEntry(Role role)
    {
        m_sides[0].clear();
        m_sides[1].clear();
        m_seen = {};
        return role;
    }

    // The first element of a side gives its text; later ones are skipped.
    bool takeSide(qsizetype side)
    {
        if (side == NoSide || m_seen[side])
            return false;
        m_seen[side] = true;
        m_side = side;
        m_textSeen = false;
        return true;
    }

    void close()
    {
        const Role role = m_open.back().role;
        m_open.pop_back();
        if (role == Role::Entry || role == Role::OldEntry)
            addEntry();
    }

    void addEntry()
    {
        const QString line = kvtmlEntryLine(QStringView(m_sides[0]), QStringView(m_sides[1]));
        if (!line.isEmpty())
            m_lines.append(line);
    }

    // Character data up to the next markup, kept inside a text; markup inside a text is dropped
    // with what it holds, as the XML reader does.
    void characters()
    {
        std::u16string *const text = m_open.back().role == Role::Text ? &m_sides[m_side] : nullptr;
        const char *run = m_at;
        const auto flush = [&] {
            if (text && run != m_at) {
                const std::size_t size = text->size();
                text->resize(size + std::size_t(m_at - run));
                std::copy(run, m_at, text->begin() + qsizetype(size));
            }
        };
        for (;;) {
            while (m_at < m_end && PlainBytes[uchar(*m_at)])
                ++m_at;
            if (m_at == m_end || *m_at == '<')
                break;
            const char c = *m_at;
            if (c == '>') {
                if (m_at - m_begin >= 2 && m_at[-1] == ']' && m_at[-2] == ']')
                    throw Unusual{};
                ++m_at;
                continue;
            }
            // A control byte is refused here; a letter beyond ASCII is checked, and decoded only
            // inside a text.
            if (c != '&' && c != '\r' && (uchar(c) < 0x80 || !text)) {
                character();
                continue;
            }
            flush();
            if (c == '&') {
                reference(text);
            } else if (c == '\r') {
                // XML reads CR LF and a lone CR as one LF.
                ++m_at;
                if (at('\n'))
                    ++m_at;
                if (text)
                    text->push_back(u'\n');
            } else {
                appendUtf16(*text, nonAscii());
            }
            run = m_at;
        }
        flush();
    }

    // One of XML's five entities or a character reference.
    void reference(std::u16string *text)
    {
        ++m_at;
        char32_t code = 0;
        if (at('#')) {
            ++m_at;
            const int base = at('x') ? 16 : 10;
            if (base == 16)
                ++m_at;
            int digits = 0;
            for (; m_at < m_end && *m_at != ';'; ++m_at) {
                const int digit = digitValue(*m_at, base);
                if (digit < 0 || ++digits > MaxReferenceDigits)
                    throw Unusual{};
                code = code * base + char32_t(digit);
            }
            if (digits == 0 || !isXmlChar(code))
                throw Unusual{};
        } else {
            const std::string_view entity = name();
            if (entity == "lt")
                code = '<';
            else if (entity == "gt")
                code = '>';
            else if (entity == "amp")
                code = '&';
            else if (entity == "quot")
                code = '"';
            else if (entity == "apos")
                code = '\'';
            else
                throw Unusual{};
        }
        expect(";");
        if (text)
            appendUtf16(*text, code);
    }

    const char *m_begin;
    const char *m_at;
    const char *m_end;
    std::vector<OpenElement> m_open;
    // The attribute names of the tag being read, for the check that none comes twice.
    std::array<std::string_view, MaxAttributes> m_attributes;
    std::array<std::u16string, 2> m_sides;
    std::array<bool, 2> m_seen{};
    qsizetype m_side = 0;
    bool m_textSeen = false;
    QStringList m_lines;
};

} // namespace

std::optional<QStringList> scanPlainKvtml(QByteArrayView bytes)
{
    try {
        return Scanner(bytes).scan();
    } catch (const Unusual &) {
        return std::nullopt;
    }
}

QString kvtmlEntryLine(QStringView word, QStringView translation)
{
    const QStringView first = word.trimmed();
    const QStringView second = translation.trimmed();
    if (first.isEmpty() || second.isEmpty())
        return {};
    QString line;
    line.reserve(first.size() + 1 + second.size());
    line.append(first).append(QChar(u'\t')).append(second);
    // A TAB would split the entry elsewhere and a line break would end it.
    QChar *const text = line.data();
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (i != first.size() && (text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
            text[i] = QChar(u' ');
    }
    return line;
}
