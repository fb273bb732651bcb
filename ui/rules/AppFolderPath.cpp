// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rules/AppFolderPath.h"

QString appFolderOf(const QString &executablePath)
{
    const qsizetype slash = executablePath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : executablePath.left(slash + 1);
}
