// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressModule.h"

#include <QCoreApplication>
#include <QLibrary>

#include "rules/Error.h"
#include "ui/DataLocations.h"
#include "ui/Platform.h"

namespace {

const QString ModuleName = QStringLiteral("tovelo2progress");

using OpenFunction = void (*)(const QString &, QWidget *, Platform &);

// Never unloaded: Qt keeps the types the window registered until the application ends.
OpenFunction entry(const QString &moduleFolder)
{
    static QLibrary library;
    static OpenFunction open = nullptr;
    if (!open) {
        const QString folder =
            moduleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : moduleFolder;
        library.setFileName(folder + QLatin1Char('/') + ModuleName);
        open = reinterpret_cast<OpenFunction>(library.resolve(ProgressEntryName));
        if (!open)
            throw Error(
                QStringLiteral("Окно «Успехи» не открывается: %1").arg(library.errorString()));
    }
    return open;
}

} // namespace

void openProgressWindow(const QString &folder, QWidget *parent, const QString &moduleFolder)
{
    const OpenFunction open = entry(moduleFolder);
    open(folder.isEmpty() ? dataLocations().resultsFolder : folder, parent, platform());
}
