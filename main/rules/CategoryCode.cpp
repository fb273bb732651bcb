// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/CategoryCode.h"

#include "main/rules/DrillState.h"
#include "rules/Win1251.h"

namespace {
constexpr quint32 HashFactor = 31;
constexpr quint32 DictionaryHashFactor = 100;
constexpr quint32 ReversedOffset = 98700;
} // namespace

qint32 NameHash(QByteArrayView text)
{
    quint32 h = 0;
    for (const char c : text)
        h = HashFactor * h + static_cast<unsigned char>(c);
    return static_cast<qint32>(h);
}

qint32 categoryCode(int kindIndex, const QString &dictionaryFile, bool reversed)
{
    if (kindIndex != static_cast<int>(ExerciseKind::ForeignLanguage))
        return kindIndex;
    quint32 code = static_cast<quint32>(kindIndex) +
                   DictionaryHashFactor * static_cast<quint32>(NameHash(toWin1251(dictionaryFile)));
    if (reversed)
        code += ReversedOffset;
    return static_cast<qint32>(code);
}
