// SPDX-License-Identifier: GPL-3.0-or-later
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
// memory, and flush() replaces the file atomically with one write. It holds the file's bytes
// as they are and finds lines in them when asked, so memory stays about the size of the file
// however many lines it has; a settings file is a few hundred bytes, and the few keys a run
// reads and writes make scanning it each time cheaper than any index.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;
    // Every key the program writes at its longest takes about 20 KB; a larger file is none the
    // program wrote or a person edited, and is refused unread.
    static constexpr qint64 MaxFileBytes = qint64(256) << 10;

    // A missing file is an empty profile. Throws Error naming the file's full path when the
    // file exists but cannot be read: when it is no regular file (a folder, a pipe, a device),
    // is larger than MaxFileBytes or fails to read. Nothing is then ever written over it.
    explicit IniFile(const QString &fileName);
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString readString(const QString &section, const QString &key) const;
    // Line breaks in the value become blanks: a value is one line.
    void writeString(const QString &section, const QString &key, const QString &value);
    // Writes the file when a line of it changed. Throws
    // Error("Unable to write to <full path>") and leaves the file as it was when that fails.
    void flush();

private:
    // Byte offsets of one line in the text: [start, textEnd) is its text, [textEnd, next) its
    // own terminator (CR LF, LF, or nothing for a last line without one).
    struct Line {
        qsizetype start = 0;
        qsizetype textEnd = 0;
        qsizetype next = 0;
    };
    struct SectionRange {
        qsizetype body = 0; // the start of the line after the header
        qsizetype end = 0;  // the start of the next section's header, or the end of the text
    };

    Line lineAt(qsizetype start) const;
    QByteArrayView textOf(const Line &line) const;
    QString fullPath() const;
    std::optional<SectionRange> findSection(const QString &section) const;
    std::optional<Line> findKey(const SectionRange &range, const QString &key) const;
    qsizetype insertionPoint(const SectionRange &range) const;
    void insertLine(qsizetype at, const QByteArray &text);

    QString m_fileName;
    QByteArray m_text;
    bool m_modified = false;
};
