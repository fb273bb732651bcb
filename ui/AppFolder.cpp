#include "ui/AppFolder.h"

#include "ui/Platform.h"

QString appFolderOf(const QString &executablePath)
{
    const qsizetype slash = executablePath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : executablePath.left(slash + 1);
}

QString AppFolder()
{
    return appFolderOf(platform().executablePath());
}
