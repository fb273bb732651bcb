#include "ui/ApplicationSetup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

#include "ui/DeferredIconEngine.h"
#include "ui/Resources.h"

namespace {

void loadRussianTexts(QApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QIcon programIcon()
{
    registerBuiltInPictures();
    QList<DeferredIconEngine::File> files;
    for (const int size : {16, 24, 32, 48})
        files.append({QStringLiteral(":/icons/tovelo2-%1.png").arg(size), QSize(size, size)});
    // The icon owns its engine.
    return QIcon(new DeferredIconEngine(std::move(files)));
}

} // namespace

void setUpApplication(QApplication &application)
{
    // A machine without sound prints audio back-end warnings the user has no use for.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    loadRussianTexts(application);
    QApplication::setWindowIcon(programIcon());
}
