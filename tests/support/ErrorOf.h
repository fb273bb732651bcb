// SPDX-License-Identifier: GPL-3.0-or-later
// The text of the Error an action raises, or an empty text when it raises none.
#pragma once

#include <QString>

#include <functional>

#include "rules/Error.h"

inline QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}
