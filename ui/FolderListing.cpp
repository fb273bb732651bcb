// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderListing.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

#include <dirent.h>

#include "rules/NativeName.h"
#include "rules/RegularFile.h"

namespace {

struct FolderCloser {
    void operator()(DIR *folder) const { ::closedir(folder); }
};

bool isDotEntry(QByteArrayView name)
{
    return name == "." || name == "..";
}

} // namespace

// Read with readdir rather than QDir: QDir decodes names as UTF-8 and loses the bytes of any
// other name, so such a file could be neither shown nor opened.
std::vector<ListedFile> listFolder(const QString &folder, const QString &pattern)
{
    const QString base = folder.isEmpty() ? QStringLiteral("./") : folder;
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    std::vector<ListedFile> files;
    const std::unique_ptr<DIR, FolderCloser> dir(::opendir(nativeFileName(prefix).constData()));
    if (!dir)
        return files;
    const QRegularExpression match = QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    while (const dirent *entry = ::readdir(dir.get())) {
        const QByteArrayView native(entry->d_name);
        if (isDotEntry(native))
            continue;
        ListedFile file{shownFileName(native), prefix + fileNameText(native), native.isValidUtf8()};
        // The pattern's letters are ASCII, which both readings of a name keep.
        if (match.match(file.name).hasMatch() && isRegularFile(file.path))
            files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(), [](const ListedFile &a, const ListedFile &b) {
        const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.path < b.path;
    });
    return files;
}
