// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerResourceFile()
{
    Q_INIT_RESOURCE(resources);
}

void registerBuiltInPictures()
{
    static const bool registered = (registerResourceFile(), true);
    Q_UNUSED(registered);
}
