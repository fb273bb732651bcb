// SPDX-License-Identifier: GPL-3.0-or-later
// The one owner of a result file ("SaveRes.res" or "SaveRes.hst") and of its entries: what was
// read at start-up, what this run added, and the names this run gave to entries that waited
// for one. Several copies of the program may share the file (a classroom running it from one
// network folder), so a save never writes the list this copy holds: under a lock beside the
// file it reads the file as it is now and writes that back with this run's new entries appended
// and this run's names given to entries that are still "NewRes" there. Entries other copies
// wrote are never dropped or reordered, and are kept byte for byte; one copy alone writes its
// list.
#pragma once

#include <QLockFile>
#include <QString>

#include <algorithm>
#include <array>
#include <deque>
#include <vector>

#include "main/rules/ResultCodec.h"
#include "rules/Error.h"
#include "rules/FileReplace.h"
#include "rules/RegularFile.h"

// The name of an entry that still waits for its player's name.
inline const QString NewResName = QStringLiteral("NewRes");

// The two result files, in the results folder (ui/DataLocations.h).
inline const QString RecordsFileName = QStringLiteral("SaveRes.res");
inline const QString HistoryFileName = QStringLiteral("SaveRes.hst");

// No honest file comes near this: it holds about 900 000 records or 600 000 history entries,
// decades of daily play. A larger one is refused unread.
constexpr qint64 MaxResultFileBytes = 64 * 1024 * 1024;

// Checks that the file can be read and later replaced, so that a file the program could not
// use fails at start-up, not at exit: throws Error naming it then. A missing file is created
// empty so that it exists from then on; when even that fails (a folder that cannot be written)
// nothing is lost yet: the start-up reports such folders once (see canWriteFile), and the save
// at exit names the file.
void prepareResultFile(const QString &fileName);

// Held while a copy reads and replaces a result file. A lock left by a process that is gone is
// broken at once; one that another machine left behind is broken once it is StaleLockMs old.
// A folder that refuses the lock file cannot hold a temporary file either: the save then goes
// on without a lock and writes the file in place, since nothing can be gained by waiting.
class ResultFileLock {
public:
    // A save takes well under a second even over a network; a lock this old is abandoned.
    static constexpr int StaleLockMs = 15000;
    static constexpr int WaitMs = StaleLockMs + 5000;

    explicit ResultFileLock(const QString &fileName);

private:
    QLockFile m_lock;
};

// The length byte and the characters of the name, at the start of every entry.
constexpr qsizetype NameFieldBytes = 1 + NameChars;

// Whether two entries are the same game: every byte of their records but the name.
template<typename Entry> bool sameGame(const Entry &a, const Entry &b)
{
    std::array<char, EntryBytes<Entry>> first{};
    std::array<char, EntryBytes<Entry>> second{};
    encodeEntry(a, first.data());
    encodeEntry(b, second.data());
    return std::equal(first.begin() + NameFieldBytes, first.end(), second.begin() + NameFieldBytes);
}

template<typename Entry> class ResultStore {
public:
    // Checks that the file can be read and later replaced; a missing one is created empty.
    // Throws Error when the file cannot be used: the store then stays unusable and the file
    // is never written over. The entries are read when they are first needed (read()).
    void load(const QString &fileName)
    {
        *this = {};
        m_fileName = fileName;
        prepareResultFile(fileName);
        m_state = State::Prepared;
    }

    // Reads the entries, once. Throws Error when that fails; the store then stays unusable.
    // A start-up that never needs them never pays for them.
    void read()
    {
        if (m_state != State::Prepared)
            return;
        m_state = State::Unusable;
        m_entries = decodeEntries<Entry>(readResultFile(m_fileName));
        m_readCount = m_entries.size();
        for (std::size_t i = 0; i < m_readCount; ++i) {
            if (m_entries[i].Name == NewResName)
                m_unnamedAtLoad.push_back(i);
        }
        m_state = State::Loaded;
    }

    // The file's entries, then this run's; a deque keeps them in place as it grows, so the
    // ranking can point at them. Only names may change through these references.
    std::deque<Entry> &entries() { return m_entries; }
    const std::deque<Entry> &entries() const { return m_entries; }

    void append(Entry entry) { m_entries.push_back(std::move(entry)); }

    // Writes this run's changes into the file, if there are any. Throws Error when the file
    // cannot be written, or when it could not be read and this run has games for it.
    void save(const QString &fileName)
    {
        const std::vector<std::size_t> renamed = renamedEntries();
        if (m_entries.size() == m_readCount && renamed.empty())
            return;
        if (m_state != State::Loaded)
            throw Error(QStringLiteral("Игры этого запуска не сохранены: файл %1 не удалось "
                                       "прочитать, и он оставлен как был")
                            .arg(fileName));
        const ResultFileLock lock(fileName);
        // A file deleted or emptied by hand meanwhile stays so: only this run's games go in.
        // The entries of the file are kept as its bytes: they need no decoding to be kept.
        QByteArray bytes = readResultFile(fileName);
        bytes.truncate(bytes.size() - bytes.size() % EntryBytes<Entry>);
        for (const std::size_t index : renamed)
            giveName(bytes, m_entries[index]);
        const qsizetype kept = bytes.size();
        bytes.resize(kept + qsizetype(m_entries.size() - m_readCount) * EntryBytes<Entry>);
        char *out = bytes.data() + kept;
        for (std::size_t i = m_readCount; i < m_entries.size(); ++i, out += EntryBytes<Entry>)
            encodeEntry(m_entries[i], out);
        replaceFile(fileName, bytes);
        // Saved: a second save writes nothing more.
        m_readCount = m_entries.size();
        m_unnamedAtLoad.clear();
    }

    void clear() { *this = {}; }

private:
    // The file as it is now; a missing one reads as empty.
    static QByteArray readResultFile(const QString &fileName)
    {
        return readRegularFile(fileName, MaxResultFileBytes, PlainFile, IfMissing::ReadEmpty);
    }

    std::vector<std::size_t> renamedEntries() const
    {
        std::vector<std::size_t> renamed;
        for (const std::size_t index : m_unnamedAtLoad) {
            if (m_entries[index].Name != NewResName)
                renamed.push_back(index);
        }
        return renamed;
    }

    // Another copy may have named the entry first: its name stays.
    static void giveName(QByteArray &bytes, const Entry &named)
    {
        std::array<char, EntryBytes<Entry>> mine{};
        encodeEntry(named, mine.data());
        const QByteArray unnamed = NewResName.toLatin1();
        for (qsizetype at = 0; at < bytes.size(); at += EntryBytes<Entry>) {
            char *entryBytes = bytes.data() + at;
            // Only entries still waiting for a name are decoded.
            if (quint8(entryBytes[0]) != unnamed.size() ||
                QByteArrayView(entryBytes + 1, unnamed.size()) != unnamed)
                continue;
            Entry there;
            decodeEntry(entryBytes, there);
            if (sameGame(there, named)) {
                std::copy_n(mine.data(), NameFieldBytes, entryBytes);
                return;
            }
        }
    }

    // A file that could not be used is never written over: it still holds the player's data.
    enum class State { Unusable, Prepared, Loaded };

    QString m_fileName;
    State m_state = State::Unusable;
    std::deque<Entry> m_entries;
    std::size_t m_readCount = 0;
    std::vector<std::size_t> m_unnamedAtLoad;
};
