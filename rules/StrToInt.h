// SPDX-License-Identifier: GPL-3.0-or-later
// Integer conversion of a text, as the range boxes, the name check and the settings file use it:
// leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x" or
// "0x" (either case), nothing after the number, and a value inside the signed 32-bit range.
#pragma once

#include <QString>

#include <optional>

std::optional<qint32> tryStrToInt(QStringView text);

// Throws Error("'<text>' is not a valid integer value") when the text does not convert.
qint32 strToInt(const QString &text);
