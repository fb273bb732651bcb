// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NamePrompt.h"

#include <QLineEdit>

#include "main/rules/PlayerName.h"
#include "ui/Platform.h"
#include "ui/QuitSignals.h"

namespace {

const QString NameCaption = QStringLiteral("Ваше имя");
const QString NamePrompt = QStringLiteral("Введите Ваше имя");
const QString BadNameMessage =
    QStringLiteral("Имя должно быть больше 2 символов и содержать буквы.");
const QString UnstorableNameMessage =
    QStringLiteral("В имени есть знаки, которые нельзя сохранить в таблице рекордов: %1. "
                   "Напишите имя русскими или латинскими буквами.");

} // namespace

std::optional<QString> askPlayerName(QLineEdit &lastName)
{
    for (;;) {
        const QString name = platform().inputQuery(NameCaption, NamePrompt, lastName.text());
        lastName.setText(name);
        if (isQuitRequested())
            return std::nullopt;
        if (!isAcceptableName(name))
            platform().showMessage(BadNameMessage);
        else if (const QString lost = unstorableChars(storedName(name)); !lost.isEmpty())
            platform().showMessage(UnstorableNameMessage.arg(lost));
        else
            return storedName(name);
        if (isQuitRequested())
            return std::nullopt;
    }
}
