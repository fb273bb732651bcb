// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Platform.h"

#include "ui/DataLocations.h"
#include "ui/DesktopPlatform.h"

namespace {

Platform *&current()
{
    static DesktopPlatform desktop;
    static Platform *installed = &desktop;
    return installed;
}

} // namespace

Platform::~Platform() = default;

QString Platform::wordListsFolder()
{
    return SystemWordListsFolder;
}

Platform &platform()
{
    return *current();
}

PlatformOverride::PlatformOverride(Platform &replacement)
    : m_previous(current())
{
    current() = &replacement;
}

PlatformOverride::~PlatformOverride()
{
    current() = m_previous;
}
