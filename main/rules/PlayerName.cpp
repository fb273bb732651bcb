#include "main/rules/PlayerName.h"

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
    QString lost;
    for (const QChar c : name) {
        const QString one(c);
        if (fromWin1251(toWin1251(one)) != one && !lost.contains(c))
            lost += c;
    }
    return lost;
}
