#include "main/PlayerName.h"

#include "main/ResultCodec.h"
#include "ui/StrToInt.h"

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
