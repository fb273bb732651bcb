// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program reads lies where a user (or a classmate) can put anything in its
// place: a FIFO would block the program in open() for good, a link to /dev/zero would feed it
// bytes until memory runs out. Files are therefore opened only as regular files of a bounded
// size. Opening never blocks: the file is opened non-blocking and its kind checked on the open
// descriptor, so nothing can change between the check and the reading.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// What the file is, for the texts: the object of "Не удалось открыть" ("словарь",
// "картинку", "файл настроек").
inline const QString PlainFile = QStringLiteral("файл");

// Opens `file` at `path` with `mode` when, after following links, it is a regular file of at
// most `maxBytes`. The file is opened from its descriptor, so its fileName() stays empty: texts
// name `path`. Returns false, with the file closed, when nothing exists at that name. Throws Error
// with a text naming `what` and the file when it is something else (a folder, a FIFO, a device,
// a socket), when it is larger, or when it cannot be opened.
// `path` may hold the kept bytes of a name that is not UTF-8 (rules/NativeName.h).
bool openRegularFile(QFile &file, const QString &path, QIODevice::OpenMode mode, qint64 maxBytes,
                     const QString &what = PlainFile);

enum class IfMissing { Fail, ReadEmpty };

// The whole file, opened as above. A file that grew after it was opened is refused like a large
// one. Nothing at that name is an Error too, unless `ifMissing` says to read it as empty.
QByteArray readRegularFile(const QString &path, qint64 maxBytes, const QString &what,
                           IfMissing ifMissing = IfMissing::Fail);

// Whether `path`, after following links, is a regular file; for listings, which leave the
// rest out. The opening still checks again.
bool isRegularFile(const QString &path);

// The error text of the system for an errno value, in the user's language.
QString systemErrorText(int errorNumber);
