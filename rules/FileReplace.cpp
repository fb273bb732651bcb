// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

#include "rules/Error.h"
#include "rules/RegularFile.h"

namespace {

[[noreturn]] void failToWrite(const QString &path, int errorNumber, const QString &fallback)
{
    const QString cause = errorNumber != 0 ? systemErrorText(errorNumber) : fallback;
    throw Error(QStringLiteral("Не удалось записать файл %1: %2").arg(path, cause));
}

// Only over a file that exists: a folder that refuses new files refuses this one too.
bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    // Every entry the old content holds is also in the new one, at the same place: a write
    // that stops half-way leaves old and new entries, never a hole.
    errno = 0;
    if (file.write(bytes) != bytes.size())
        failToWrite(path, errno, file.errorString());
    errno = 0;
    if (!file.resize(bytes.size()) || !file.flush())
        failToWrite(path, errno, file.errorString());
    return true;
}

} // namespace

void replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so that a failing write reports its own cause (a full disk, a quota).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int cause = errno;
        if (writeInPlace(path, bytes))
            return;
        failToWrite(path, cause, file.errorString());
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int cause = errno;
        file.cancelWriting();
        failToWrite(path, cause, file.errorString());
    }
    errno = 0;
    if (!file.commit())
        failToWrite(path, errno, file.errorString());
}

bool canWriteFile(const QString &path)
{
    const QFileInfo info(path);
    const QString checked = info.exists() ? path : info.absolutePath();
    return ::access(QFile::encodeName(checked).constData(), W_OK) == 0;
}
