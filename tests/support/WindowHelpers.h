// Small helpers for tests that drive the real main window.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "main/TfmMain.h"

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

// Types the text into the answer box and presses Enter, as the handler sees it.
inline void typeAnswer(TfmMain &window, const QString &text)
{
    control<QLineEdit>(window, "edAnswer")->setText(text);
    window.edAnswerKeyDown(Qt::Key_Return);
}

inline void answerRight(TfmMain &window)
{
    typeAnswer(window, QString::number(window.task().RightAnswer));
}

inline void answerWrong(TfmMain &window)
{
    typeAnswer(window, QString::number(window.task().RightAnswer + 1));
}
