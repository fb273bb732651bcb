// SPDX-License-Identifier: GPL-3.0-or-later
// A typed answer is read from the digits of the answer box alone: signs, blanks and letters
// are dropped, so "-5", " 5 " and "5" are the same answer and "1 2" reads 12.
#pragma once

#include <QString>

#include <optional>

// 0 when the text holds no digit; nothing when the digits exceed the signed 32-bit range.
std::optional<qint32> parseTypedAnswer(QStringView text);
