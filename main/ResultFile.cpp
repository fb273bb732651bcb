#include "main/ResultFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include "ui/Error.h"

namespace {

// Large enough that reading costs few calls, small enough to stay in the cache.
constexpr qsizetype PieceBytes = 64 * 1024;

[[noreturn]] void fail(const QString &what, const QString &fileName, const QString &reason)
{
    throw Error(QStringLiteral("Cannot %1 the file %2: %3").arg(what, fileName, reason));
}

void createEmpty(const QString &fileName)
{
    QFile file(fileName);
    // NewOnly: a file that appeared meanwhile is never truncated.
    (void)file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

} // namespace

bool prepareResultFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName)) {
        createEmpty(fileName);
        return false;
    }
    QFile file(fileName);
    // Read-write, so that a file the program could not save later fails now, not at exit.
    if (!file.open(QIODevice::ReadWrite))
        fail(QStringLiteral("open"), fileName, file.errorString());
    return true;
}

void openResultFile(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("open"), file.fileName(), file.errorString());
}

void readResultFilePieces(QFile &file, qsizetype unitBytes,
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
                fail(QStringLiteral("read"), file.fileName(), file.errorString());
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
    QFile file(fileName);
    openResultFile(file);
    bytes.reserve(file.size());
    readResultFilePieces(file, 1, [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

void writeResultFile(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("create"), fileName, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("write"), fileName, file.errorString());
}
