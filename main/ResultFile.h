// Reading and writing the result files: read piece by piece at start-up, replaced atomically
// at exit. Failures are raised as Error with the file's name.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <functional>

#include "main/ResultCodec.h"

// Checks that the file can be read and later replaced, so that a file the program could not
// use fails at start-up, not at exit. A missing file is created empty so that it exists from
// then on; when even that fails (a folder that cannot be written) nothing is lost yet, and the
// save at exit reports the failure. Returns whether there is a file to read.
bool prepareResultFile(const QString &fileName);

// Opens the file named by `file` for reading; throws Error when it cannot.
void openResultFile(QFile &file);

// Reads the open file piece by piece through one reused buffer, so that a large file takes no
// memory beside what is made of it: every piece but the last is a whole multiple of
// `unitBytes`. Reading stops early when `consume` returns false. Throws Error when reading
// fails.
void readResultFilePieces(QFile &file, qsizetype unitBytes,
                          const std::function<bool(QByteArrayView)> &consume);

// Both steps; the whole file as one piece.
QByteArray readResultFile(const QString &fileName);

// The entries of the open file, read piece by piece; the reading stops after the piece at
// hand once `stop` is set.
template<typename Entry>
std::deque<Entry> readEntries(QFile &file, const std::atomic<bool> *stop = nullptr)
{
    EntryDecoder<Entry> decoder;
    readResultFilePieces(file, EntryBytes<Entry>, [&decoder, stop](QByteArrayView piece) {
        decoder.decode(piece);
        return stop == nullptr || !*stop;
    });
    return decoder.take();
}

// The entries of a result file, with both steps.
template<typename Entry> std::deque<Entry> readEntries(const QString &fileName)
{
    if (!prepareResultFile(fileName))
        return {};
    QFile file(fileName);
    openResultFile(file);
    return readEntries<Entry>(file);
}

// Replaces the file with the bytes: a temporary file beside it is written and flushed, then
// renamed over it. Throws Error when that fails; the old file is then left whole.
void writeResultFile(const QString &fileName, const QByteArray &bytes);
