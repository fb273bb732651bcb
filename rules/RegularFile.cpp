// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "rules/Error.h"
#include "rules/NativeName.h"

namespace {

// Owns a descriptor until QFile takes it over.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

int openFlags(QIODevice::OpenMode mode)
{
    int flags = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (mode.testFlag(QIODevice::ReadOnly) && mode.testFlag(QIODevice::WriteOnly))
        flags |= O_RDWR;
    else if (mode.testFlag(QIODevice::WriteOnly))
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    return flags;
}

QString kindText(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("это папка");
    if (S_ISFIFO(mode))
        return QStringLiteral("это канал (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("это устройство");
    if (S_ISSOCK(mode))
        return QStringLiteral("это сокет");
    return QStringLiteral("это не обычный файл");
}

// The one text of every file that cannot be read. A name kept as bytes (see NativeName.h) is
// shown as people read it.
[[noreturn]] void refuse(const QString &what, const QString &path, const QString &reason)
{
    throw Error(QStringLiteral("Не удалось открыть %1 %2: %3").arg(what, shownPath(path), reason));
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("файл слишком велик, допустимо не больше %1 байт").arg(maxBytes);
}

} // namespace

// The causes a child or a parent can act on are named in Russian whatever the system's
// language; the rest come as the system words them.
QString systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("на диске не осталось места");
    case EDQUOT:
        return QStringLiteral("исчерпана квота на диске");
    case EACCES:
    case EPERM:
        return QStringLiteral("доступ запрещён");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case EFBIG:
        return QStringLiteral("файл слишком велик");
    case EISDIR:
        return QStringLiteral("это папка");
    case ENOTDIR:
        return QStringLiteral("в пути к файлу стоит файл, а не папка");
    case ENOENT:
        return QStringLiteral("файл или папка не существует");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    default:
        return qt_error_string(errorNumber);
    }
}

bool openRegularFile(QFile &file, const QString &path, QIODevice::OpenMode mode, qint64 maxBytes,
                     const QString &what)
{
    Descriptor fd(::open(nativeFileName(path).constData(), openFlags(mode)));
    if (fd.get() < 0) {
        const int error = errno;
        // A path through a regular file names nothing either.
        if (error == ENOENT || error == ENOTDIR)
            return false;
        refuse(what, path, systemErrorText(error));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        refuse(what, path, systemErrorText(errno));
    if (!S_ISREG(info.st_mode))
        refuse(what, path, kindText(info.st_mode));
    if (info.st_size > maxBytes)
        refuse(what, path, tooLarge(maxBytes));
    // Reading a regular file never blocks; the flag only kept the open from waiting.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd.get(), mode, QFileDevice::AutoCloseHandle))
        refuse(what, path, file.errorString());
    fd.release();
    return true;
}

QByteArray readRegularFile(const QString &path, qint64 maxBytes, const QString &what,
                           IfMissing ifMissing)
{
    QFile file;
    if (!openRegularFile(file, path, QIODevice::ReadOnly, maxBytes, what)) {
        if (ifMissing == IfMissing::ReadEmpty)
            return {};
        refuse(what, path, systemErrorText(ENOENT));
    }
    // The size is asked again: one byte more than the file holds now, and never more than one
    // past the limit, shows a file that grew since the check, which is then refused.
    QByteArray bytes = file.read(std::min(file.size(), maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        refuse(what, path, file.errorString());
    if (bytes.size() > maxBytes)
        refuse(what, path, tooLarge(maxBytes));
    return bytes;
}

bool isRegularFile(const QString &path)
{
    struct stat info {};
    return ::stat(nativeFileName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}
