#include "tests/support/FakePlatform.h"

void FakePlatform::pause(int milliseconds)
{
    pauses.push_back(milliseconds);
    if (onPause)
        onPause();
}

void FakePlatform::showError(const QString &title, const QString &text)
{
    errorTitles << title;
    errors << text;
}

QString FakePlatform::inputQuery(const QString &, const QString &, const QString &initial)
{
    inputInitials << initial;
    if (inputAnswers.isEmpty())
        return initial;
    return inputAnswers.takeFirst();
}

void FakePlatform::showModal(QDialog &dialog)
{
    ++modalShows;
    if (onModal)
        onModal(dialog);
}
