// Reading and writing the result files whole: one read into one buffer at start-up, one
// atomic replacement at exit. Failures are raised as Error with the file's name.
#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole file. A missing file is created empty so that it exists from then on; when
// even that fails (a folder that cannot be written) nothing is lost yet, and the save at exit
// reports the failure. Throws Error when the file exists but cannot be opened or read.
QByteArray readResultFile(const QString &fileName);

// Replaces the file with the bytes: a temporary file beside it is written and flushed, then
// renamed over it. Throws Error when that fails; the old file is then left whole.
void writeResultFile(const QString &fileName, const QByteArray &bytes);
