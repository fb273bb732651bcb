#include "ui/FolderListing.h"

#include <QDir>

#include <algorithm>

QStringList listFolder(const QString &folder, const QString &pattern)
{
    // Devices, sockets and pipes are left out: reading one could block the program.
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    QStringList names = dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}
