// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file whole. The new content goes to a temporary file beside the old one, which is
// then renamed over it, so that a kill or a full disk leaves the old file whole. A folder that
// refuses new files (a teacher's prepared folder, a program folder with one writable file in
// it) cannot hold a temporary file: there the file is written in place, without truncating it
// first, and cut to its new length only at the end.
#pragma once

#include <QByteArray>
#include <QString>

// Throws Error naming the file and the cause in Russian when it cannot be written.
void replaceFile(const QString &path, const QByteArray &bytes);

// Whether this account can write the file, or create it where it is missing; for the one warning
// at start-up, since a child must learn before playing that the games will not be kept.
bool canWriteFile(const QString &path);
