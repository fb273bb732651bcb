// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the progress module (ui/ProgressModule.h): the window runs on the program's
// platform seam, so its boxes and its clock are the program's, and nothing it raises leaves the
// module.
#include <QWidget>

#include "Progress/TfmProgress.h"
#include "ui/EventGuard.h"
#include "ui/Platform.h"

extern "C" Q_DECL_EXPORT void tovelo2OpenProgress(const QString &folder, QWidget *parent,
                                                  Platform &host)
{
    const PlatformOverride seam(host);
    guarded([&] {
        TfmProgress window(folder, parent);
        host.showModal(window);
    });
}
