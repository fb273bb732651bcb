// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ErrorBox.h"

#include "ui/Platform.h"
#include "ui/rules/WindowTexts.h"

void showErrorBox(const QString &message)
{
    Platform &p = platform();
    p.showError(applicationTitle(p.executablePath()), errorBoxText(message));
}
