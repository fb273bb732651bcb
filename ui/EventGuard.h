// SPDX-License-Identifier: GPL-3.0-or-later
// Every event handler runs inside guarded(): an exception never crosses a Qt frame. It is
// shown in the error box, and only the event that raised it is abandoned.
#pragma once

#include <QString>
#include <QStringList>

#include <utility>

// Called from inside a catch block: the text of the exception in flight.
QString uncaughtText();
void reportUncaught();

template<typename Handler> void guarded(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportUncaught();
    }
}

// As guarded(), but the text is kept for later instead of shown: the shut-down shows its
// errors only once everything that can be saved is saved.
template<typename Handler> void collectingErrors(QStringList &errors, Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        errors << uncaughtText();
    }
}
