// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted/ScriptedPlatform.h"

void ScriptedPlatform::pause(int milliseconds)
{
    pauses.push_back(milliseconds);
    if (onPause)
        onPause();
}

void ScriptedPlatform::showError(const QString &title, const QString &text)
{
    errorTitles << title;
    errors << text;
}

QString ScriptedPlatform::inputQuery(const QString &, const QString &, const QString &initial)
{
    inputInitials << initial;
    if (inputAnswers.isEmpty())
        return initial;
    return inputAnswers.takeFirst();
}

void ScriptedPlatform::showModal(QDialog &dialog)
{
    ++modalShows;
    if (onModal)
        onModal(dialog);
}

TDateTime ScriptedPlatform::now()
{
    return realClock ? toDateTime(QDateTime::currentDateTime()) : clock;
}

void ScriptedPlatform::playSound(const QString &path)
{
    sounds << path;
    if (onSound)
        onSound(path);
}
