// SPDX-License-Identifier: GPL-3.0-or-later
// Games are saved only at exit: a folder where the files cannot be written is named before the
// child plays, not after a whole session.
#pragma once

#include <QString>

#include <vector>

struct KeptFile {
    QString path;
    QString what; // what is lost when it cannot be written, for example "рекорды"
};

// The warning for the files this account cannot write, naming what is lost and their folders;
// empty when every file can be written.
QString unwritableFilesWarning(const std::vector<KeptFile> &files);
