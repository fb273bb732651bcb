// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/UnwritableFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "rules/FileReplace.h"

QString unwritableFilesWarning(const std::vector<KeptFile> &files)
{
    QStringList lost;
    QStringList folders;
    for (const KeptFile &file : files) {
        if (canWriteFile(file.path))
            continue;
        lost << file.what;
        const QString folder = QDir::toNativeSeparators(QFileInfo(file.path).absolutePath());
        if (!folders.contains(folder))
            folders << folder;
    }
    if (lost.isEmpty())
        return {};
    const QString last = lost.takeLast();
    const QString what =
        lost.isEmpty() ? last : lost.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
    return QStringLiteral("Программа не сможет сохранить %1: в папку %2 нельзя записывать. "
                          "Попросите взрослого разрешить запись в эту папку.")
        .arg(what, folders.join(QStringLiteral(", ")));
}
