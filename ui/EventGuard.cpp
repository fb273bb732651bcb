#include "ui/EventGuard.h"

#include <exception>
#include <new>

#include "ui/Error.h"
#include "ui/ErrorBox.h"

// Called from inside a catch block: rethrows the exception in flight to read its text.
void reportUncaught()
{
    try {
        throw;
    } catch (const Error &e) {
        showErrorBox(e.message());
    } catch (const std::bad_alloc &) {
        showErrorBox(QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        showErrorBox(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
}
