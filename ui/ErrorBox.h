// The error box that reports an error no handler caught: the error's text with a full stop
// added when its last character sorts after ".", an error icon, OK, and the application title.
#pragma once

#include <QString>

// The executable's file name up to its first full stop, every letter after the first in lower
// case: "/opt/Tovelo2/Tovelo2" gives "Tovelo2".
QString applicationTitle(const QString &executablePath);

QString errorBoxText(const QString &message);

void showErrorBox(const QString &message);
