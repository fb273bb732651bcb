// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real main window as a child would, through the handlers its controls call: the
// exercise kind, the range, the dictionary, typed answers and option clicks.
#pragma once

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "main/TfmMain.h"
#include "ui/WideButton.h"

template<typename Control = QWidget> Control *control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<Control *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline void selectKind(TfmMain &window, ExerciseKind kind)
{
    control<QComboBox>(window, "cmbAction")->setCurrentIndex(static_cast<int>(kind));
    window.cmbActionChange();
}

inline void setRange(TfmMain &window, const QString &minText, const QString &maxText)
{
    control<QLineEdit>(window, "edMin")->setText(minText);
    control<QLineEdit>(window, "edMax")->setText(maxText);
}

// Picks a listed dictionary by the name the list shows.
inline void selectDictionary(TfmMain &window, const QString &name)
{
    auto *files = control<QComboBox>(window, "cmbDicFiles");
    const int index = files->findText(name);
    if (index < 0)
        qFatal("no dictionary %s listed", qPrintable(name));
    files->setCurrentIndex(index);
}

// Types the text into the answer box and presses Enter, as the handler sees it.
inline void typeAnswer(TfmMain &window, const QString &text)
{
    control<QLineEdit>(window, "edAnswer")->setText(text);
    window.edAnswerKeyDown(Qt::Key_Return);
}

inline void answerRight(TfmMain &window)
{
    typeAnswer(window, QString::number(window.session().task().RightAnswer));
}

inline void answerWrong(TfmMain &window)
{
    typeAnswer(window, QString::number(window.session().task().RightAnswer + 1));
}

// The option button that carries the right word of the vocabulary task on show.
inline WideButton &rightOption(const TfmMain &window)
{
    const QList<WideButton *> options = window.findChildren<WideButton *>();
    const auto right = std::find_if(options.cbegin(), options.cend(), [&](const WideButton *b) {
        return !b->isHidden() && b->text() == window.session().dictionary().RightWord;
    });
    if (right == options.cend())
        qFatal("no option carries the right word");
    return **right;
}
