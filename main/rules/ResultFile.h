// Reading and writing the result files: read piece by piece, replaced whole. Failures are
// raised as Error with the file's name and the cause in Russian.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <deque>
#include <functional>

#include "main/rules/ResultCodec.h"

// No honest file comes near this: it holds about 900 000 records or 600 000 history entries,
// decades of daily play. A larger one is refused rather than read into memory.
constexpr qint64 MaxResultFileBytes = 64 * 1024 * 1024;

// Checks that the file can be read and later replaced, so that a file the program could not
// use fails at start-up, not at exit. A missing file is created empty so that it exists from
// then on; when even that fails (a folder that cannot be written) nothing is lost yet: the
// start-up reports such folders once (see canWriteFile), and the save at exit names
// the file. Returns whether there is a file to read.
bool prepareResultFile(const QString &fileName);

// Opens the file for reading as a regular file within the size limit; returns false when there
// is none, throws Error when it cannot be used.
bool openResultFile(QFile &file, const QString &fileName);

// Reads the open file piece by piece through one reused buffer, so that a large file takes no
// memory beside what is made of it: every piece but the last is a whole multiple of
// `unitBytes`. Reading stops early when `consume` returns false. Throws Error naming
// `fileName` when reading fails.
void readResultFilePieces(QFile &file, const QString &fileName, qsizetype unitBytes,
                          const std::function<bool(QByteArrayView)> &consume);

// Both steps; the whole file as one piece.
QByteArray readResultFile(const QString &fileName);

// The entries of the open file, read piece by piece.
template<typename Entry> std::deque<Entry> readEntries(QFile &file, const QString &fileName)
{
    EntryDecoder<Entry> decoder;
    readResultFilePieces(file, fileName, EntryBytes<Entry>, [&decoder](QByteArrayView piece) {
        decoder.decode(piece);
        return true;
    });
    return decoder.take();
}

// The entries of a result file as it is now; none when it does not exist.
template<typename Entry> std::deque<Entry> readEntries(const QString &fileName)
{
    QFile file;
    if (!openResultFile(file, fileName))
        return {};
    return readEntries<Entry>(file, fileName);
}

// Replaces the file with the bytes (see replaceFile). Throws Error when that fails; the old
// file is then left whole.
void writeResultFile(const QString &fileName, const QByteArray &bytes);
