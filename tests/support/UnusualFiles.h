// SPDX-License-Identifier: GPL-3.0-or-later
// Things a user (or a classmate) can put where the program expects a file: a pipe, a socket,
// links to endless devices, a folder, a link that leads nowhere.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "rules/RegularFile.h"

enum class Special { Fifo, Socket, LinkToZero, LinkToRandom, Folder, BrokenLink };

inline bool makeSocketFile(const QByteArray &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    // The socket file stays after the socket is closed.
    const bool bound =
        ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Makes the thing at `path`; false when the system would not.
inline bool makeSpecial(const QString &path, Special kind)
{
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case Special::Fifo:
        return ::mkfifo(native.constData(), 0600) == 0;
    case Special::Socket:
        return makeSocketFile(native);
    case Special::LinkToZero:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case Special::LinkToRandom:
        return QFile::link(QStringLiteral("/dev/urandom"), path);
    case Special::Folder:
        return QDir().mkpath(path + QStringLiteral("/inside"));
    case Special::BrokenLink:
        return QFile::link(path + QStringLiteral(".gone"), path);
    }
    return false;
}

// The kind of thing at `path`, links not followed, to see that nothing replaced it.
inline mode_t kindAt(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

// The rows "kind" and "reason" of a table of things refused in place of a file: the text each
// gives after the file's name. The folder row only where asked.
inline void addUnusualFileRows(bool withFolder)
{
    QTest::addColumn<Special>("kind");
    QTest::addColumn<QString>("reason");
    if (withFolder)
        QTest::addRow("folder") << Special::Folder << QStringLiteral("это папка");
    QTest::addRow("fifo") << Special::Fifo << QStringLiteral("это канал (FIFO)");
    QTest::addRow("socket") << Special::Socket
                            << systemErrorText(ENXIO); // refused by open() itself
    QTest::addRow("link_to_dev_zero") << Special::LinkToZero << QStringLiteral("это устройство");
    QTest::addRow("link_to_dev_urandom")
        << Special::LinkToRandom << QStringLiteral("это устройство");
}
