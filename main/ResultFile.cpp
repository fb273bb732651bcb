#include "main/ResultFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "ui/Error.h"

namespace {

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

QByteArray readResultFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName)) {
        createEmpty(fileName);
        return {};
    }
    QFile file(fileName);
    // Read-write, so that a file the program could not save later fails now, not at exit.
    if (!file.open(QIODevice::ReadWrite))
        fail(QStringLiteral("open"), fileName, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("read"), fileName, file.errorString());
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
