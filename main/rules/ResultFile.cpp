#include "main/rules/ResultFile.h"

#include <algorithm>

#include "rules/Error.h"
#include "rules/FileReplace.h"
#include "rules/RegularFile.h"

namespace {

// Large enough that reading costs few calls, small enough to stay in the cache.
constexpr qsizetype PieceBytes = 64 * 1024;

void createEmpty(const QString &fileName)
{
    QFile file(fileName);
    // NewOnly: a file that appeared meanwhile is never truncated.
    (void)file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

} // namespace

bool prepareResultFile(const QString &fileName)
{
    QFile file;
    // Read-write, so that a file the program could not save later fails now, not at exit.
    if (openRegularFile(file, fileName, QIODevice::ReadWrite, MaxResultFileBytes))
        return true;
    createEmpty(fileName);
    return false;
}

bool openResultFile(QFile &file, const QString &fileName)
{
    return openRegularFile(file, fileName, QIODevice::ReadOnly, MaxResultFileBytes);
}

void readResultFilePieces(QFile &file, const QString &fileName, qsizetype unitBytes,
                          const std::function<bool(QByteArrayView)> &consume)
{
    QByteArray buffer(std::max<qsizetype>(PieceBytes / unitBytes, 1) * unitBytes,
                      Qt::Uninitialized);
    for (;;) {
        // Filled up to its end unless the file ends first, so pieces stay whole multiples.
        qsizetype filled = 0;
        while (filled < buffer.size()) {
            const qint64 got = file.read(buffer.data() + filled, buffer.size() - filled);
            if (got < 0)
                throw Error(QStringLiteral("Не удалось прочитать файл %1: %2")
                                .arg(fileName, file.errorString()));
            if (got == 0)
                break;
            filled += got;
        }
        if (filled > 0 && !consume(QByteArrayView(buffer.constData(), filled)))
            return;
        if (filled < buffer.size())
            return;
    }
}

QByteArray readResultFile(const QString &fileName)
{
    QByteArray bytes;
    if (!prepareResultFile(fileName))
        return bytes;
    QFile file;
    if (!openResultFile(file, fileName))
        return bytes;
    bytes.reserve(file.size());
    readResultFilePieces(file, fileName, 1, [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

void writeResultFile(const QString &fileName, const QByteArray &bytes)
{
    replaceFile(fileName, bytes);
}
