// Every event handler runs inside guarded(): an exception never crosses a Qt frame. It is
// shown in the error box, and only the event that raised it is abandoned.
#pragma once

#include <utility>

void reportUncaught();

template<typename Handler> void guarded(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportUncaught();
    }
}
