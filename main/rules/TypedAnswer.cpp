// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/TypedAnswer.h"

#include <limits>

std::optional<qint32> parseTypedAnswer(QStringView text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            continue;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    return static_cast<qint32>(value);
}
