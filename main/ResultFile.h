// Reading and writing the result files whole: one read into one buffer at start-up, one
// atomic replacement at exit. Failures are raised as Error with the file's name.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "main/ResultCodec.h"

// Reads the whole file. A missing file is created empty so that it exists from then on; when
// even that fails (a folder that cannot be written) nothing is lost yet, and the save at exit
// reports the failure. Throws Error when the file exists but cannot be opened or read.
QByteArray readResultFile(const QString &fileName);
// The same, piece by piece through one reused buffer, so that a large file takes no memory
// beside what is made of it: every piece but the last is a whole multiple of `unitBytes`.
void readResultFile(const QString &fileName, qsizetype unitBytes,
                    const std::function<void(QByteArrayView)> &consume);

// The entries of a result file, read piece by piece.
template<typename Entry> std::deque<Entry> readEntries(const QString &fileName)
{
    EntryDecoder<Entry> decoder;
    readResultFile(fileName, EntryBytes<Entry>,
                   [&decoder](QByteArrayView piece) { decoder.decode(piece); });
    return decoder.take();
}

// Replaces the file with the bytes: a temporary file beside it is written and flushed, then
// renamed over it. Throws Error when that fails; the old file is then left whole.
void writeResultFile(const QString &fileName, const QByteArray &bytes);
