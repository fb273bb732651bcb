// SPDX-License-Identifier: GPL-3.0-or-later
// The typefaces of the windows. They were designed with Windows fonts, which Linux lacks; these
// are their closest Debian faces (fonts-liberation2, fonts-roboto-unhinted). The window
// descriptions and the code name them directly rather than through QFont substitutions: Qt
// looks a substituted name up in vain before it takes the substitute, which cost about a
// millisecond per typeface at every start.
#pragma once

#include <QString>

namespace Typeface {
// For MS Sans Serif and Arial: Liberation Sans has Arial's metrics.
inline const QString Sans = QStringLiteral("Liberation Sans");
// For Arial Black: a heavy face with Cyrillic letters.
inline const QString Heavy = QStringLiteral("Roboto Black");
} // namespace Typeface
