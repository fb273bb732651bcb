// SPDX-License-Identifier: GPL-3.0-or-later
// The application folder of an executable: the executable's folder with a trailing "/", where
// the settings file and the Dic, Img and Sound/Bad folders are found.
#pragma once

#include <QString>

// Everything up to and including the last "/" of the path; empty when there is none.
QString appFolderOf(const QString &executablePath);
