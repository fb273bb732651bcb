#include "ui/AppFolder.h"

#include "ui/Platform.h"

QString AppFolder()
{
    return appFolderOf(platform().executablePath());
}
