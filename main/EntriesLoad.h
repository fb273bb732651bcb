// The entries of a result file, read while the window opens. The file is checked and opened
// before the constructor returns, so that a file that cannot be used is reported at start-up
// and later changes to its name do not reach the entries. A small file is read at once; a
// large one on a worker thread, and the first use of its entries waits for the rest.
#pragma once

#include <QFile>
#include <QString>

#include <atomic>
#include <deque>
#include <optional>

#include "main/ResultFile.h"
#include "ui/BackgroundTask.h"

template<typename Entry> class EntriesLoad {
public:
    // A file this small takes less time to read than a thread takes to start.
    static constexpr qint64 ReadAtOnceBytes = 64 * 1024;

    // Throws Error when the file cannot be used (see prepareResultFile), opened or, when read
    // at once, read.
    explicit EntriesLoad(const QString &fileName)
    {
        if (!prepareResultFile(fileName) || !openResultFile(m_file, fileName))
            return;
        m_fileName = fileName;
        if (m_file.size() <= ReadAtOnceBytes)
            m_entries = read();
        else
            m_task.emplace([this] { return read(); });
    }

    // Waits for the entries; throws Error when the file could not be read.
    std::deque<Entry> take() { return m_task ? m_task->take() : std::move(m_entries); }

    // The entries are not wanted after all: the reading stops after the piece at hand.
    void cancel() { m_cancelled = true; }

private:
    // On the worker, if there is one: the owner does not touch the file meanwhile.
    std::deque<Entry> read() { return readEntries<Entry>(m_file, m_fileName, &m_cancelled); }

    std::atomic<bool> m_cancelled = false;
    QString m_fileName;
    QFile m_file;
    std::deque<Entry> m_entries;
    // Last, so that the worker has ended before the members it uses go.
    std::optional<BackgroundTask<std::deque<Entry>>> m_task;
};
