// The application folder: the executable's folder with a trailing "/", where the settings file
// and the Dic, Img and Sound/Bad folders are found (DataLocations.h says what moves elsewhere
// when the account cannot write there).
#pragma once

#include <QString>

// Everything up to and including the last "/" of the path; empty when there is none.
QString appFolderOf(const QString &executablePath);
QString AppFolder();
