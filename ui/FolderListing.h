// Lists the files of one folder that match a wildcard pattern such as "*.jpg": letter case is
// ignored in the match, hidden files are included, sub-folders are not, and names come sorted
// case-insensitively, so the order is stable from run to run.
#pragma once

#include <QString>
#include <QStringList>

QStringList listFolder(const QString &folder, const QString &pattern);
