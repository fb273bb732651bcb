// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/PlayerName.h"

#include <QStringList>

#include "main/rules/ResultCodec.h"
#include "rules/StrToInt.h"
#include "rules/Win1251.h"

namespace {
constexpr qsizetype MinimumNameChars = 3;
}

bool isAcceptableName(const QString &name)
{
    if (name.size() < MinimumNameChars)
        return false;
    const std::optional<qint32> number = tryStrToInt(name);
    return !number || *number == 0;
}

QString storedName(const QString &name)
{
    return name.left(NameChars);
}

QString unstorableChars(QStringView name)
{
    QStringList lost;
    for (qsizetype i = 0; i < name.size();) {
        // A whole character: a surrogate pair counts as one, a lone surrogate as itself.
        const qsizetype units =
            name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString one = name.sliced(i, units).toString();
        i += units;
        if (fromWin1251(toWin1251(one)) != one && !lost.contains(one))
            lost << one;
    }
    return lost.join(QString());
}
