// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes for tests that work on files outside an AppSandbox.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes, or none when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A test that cannot set up its files has nothing to test: it stops there.
inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
