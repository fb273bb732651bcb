// An INI profile file of our own, in place of the Windows private-profile functions, with the
// properties the settings file relies on:
//   - Windows-1251 text; CR LF and LF line ends are read, lines are written with CR LF;
//   - a missing file, section or key reads as the empty text; values come back with at most
//     MaxValueLength characters;
//   - section and key names match whatever their letter case;
//   - writing updates a key on its own line, adds a new key after the last key of its section
//     and a new section at the end of the file; every other line stays as it was, byte for
//     byte;
//   - blanks around a value are not part of it, and a value enclosed in a matching pair of
//     quotes is read without them. Values that need it are written quoted, so every value the
//     program writes reads back unchanged.
// The object lives for one operation: it reads the file when it is made, holds the changes in
// memory, and flush() replaces the file atomically with one write.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    // A missing file is an empty profile. Throws Error("Unable to read <full path>") when the
    // file exists but cannot be read, so that nothing is ever written over it.
    explicit IniFile(const QString &fileName);

    QString readString(const QString &section, const QString &key) const;
    // Line breaks in the value become blanks: a value is one line.
    void writeString(const QString &section, const QString &key, const QString &value);
    // Writes the file when a line of it changed. Throws
    // Error("Unable to write to <full path>") and leaves the file as it was when that fails.
    void flush();

private:
    struct Line {
        QByteArray text;
        QByteArray end; // the line's own terminator; empty for a last line without one
    };
    struct SectionRange {
        std::size_t header;
        std::size_t end; // one past its last line
    };

    static std::vector<Line> splitLines(const QByteArray &bytes);
    QString fullPath() const;
    std::optional<SectionRange> findSection(const QString &section) const;
    std::optional<std::size_t> findKey(const SectionRange &range, const QString &key) const;
    std::size_t insertionPoint(const SectionRange &range) const;
    void insertLine(std::size_t index, const QByteArray &text);
    QByteArray contents() const;

    QString m_fileName;
    std::vector<Line> m_lines;
    bool m_modified = false;
};
