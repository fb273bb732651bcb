#include "ui/ApplicationSetup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

namespace {

void substituteFonts()
{
    // The window descriptions name Windows fonts; these are their closest Debian relatives.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Roboto Black"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

void loadRussianTexts(QApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/tovelo2-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void setUpApplication(QApplication &application)
{
    // A machine without sound prints audio back-end warnings the user has no use for.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    substituteFonts();
    loadRussianTexts(application);
    QApplication::setWindowIcon(programIcon());
}
