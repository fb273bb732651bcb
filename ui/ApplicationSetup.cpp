// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ApplicationSetup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

#include "ui/Resources.h"

namespace {

void loadRussianTexts(QApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// Qt reads each file as it is added: the four small PNGs take well under a millisecond.
QIcon programIcon()
{
    registerBuiltInPictures();
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/tovelo2-%1.png").arg(size), QSize(size, size));
    return icon;
}

// The menu entry's name (dist/tovelo2.desktop.in). On X11 the window's class is the application
// name, which else would follow the command typed (Tovelo2 or the tovelo2 link); the entry's
// StartupWMClass names the same, so docks tie the window to its launcher.
const QString DesktopName = QStringLiteral("tovelo2");

} // namespace

void setUpApplication(QApplication &application)
{
    // A machine without sound prints audio back-end warnings the user has no use for.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    QApplication::setApplicationName(DesktopName);
    QGuiApplication::setDesktopFileName(DesktopName);
    loadRussianTexts(application);
    QApplication::setWindowIcon(programIcon());
}
