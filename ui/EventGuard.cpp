// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EventGuard.h"

#include <exception>
#include <new>

#include "rules/Error.h"
#include "ui/ErrorBox.h"

// Rethrows the exception in flight to read its text.
QString uncaughtText()
{
    try {
        throw;
    } catch (const Error &e) {
        return e.message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void reportUncaught()
{
    showErrorBox(uncaughtText());
}
