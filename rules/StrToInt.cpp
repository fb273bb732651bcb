// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/StrToInt.h"

#include "rules/Error.h"

namespace {

constexpr qint64 MaxMagnitude = qint64(1) << 31; // |INT32_MIN|

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<qint32> tryStrToInt(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }

    if (i >= n)
        return std::nullopt;

    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > MaxMagnitude)
            return std::nullopt;
    }

    if (negative)
        return static_cast<qint32>(-magnitude);
    if (magnitude == MaxMagnitude)
        return std::nullopt;
    return static_cast<qint32>(magnitude);
}

qint32 strToInt(const QString &text)
{
    if (const auto value = tryStrToInt(text))
        return *value;
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}
