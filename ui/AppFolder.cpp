// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppFolder.h"

#include "ui/Platform.h"

QString AppFolder()
{
    return appFolderOf(platform().executablePath());
}
