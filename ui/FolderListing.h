// SPDX-License-Identifier: GPL-3.0-or-later
// Lists the regular files of one folder that match a wildcard pattern such as "*.jpg": letter
// case is ignored in the match, hidden files are included, and links count as what they lead
// to, so sub-folders, devices, pipes, sockets and broken links are left out. Names come sorted
// case-insensitively, so the order is stable from run to run. A name of any bytes is listed:
// people see it readable, the program opens it by its real bytes.
#pragma once

#include <QString>

#include <vector>

struct ListedFile {
    // The name as shown (rules/NativeName.h shownFileName).
    QString name;
    // The folder and the real name, for openRegularFile (rules/NativeName.h fileNameText).
    QString path;
    // Whether `name` is the real name itself, as every valid UTF-8 name is.
    bool realName = true;
};

std::vector<ListedFile> listFolder(const QString &folder, const QString &pattern);
