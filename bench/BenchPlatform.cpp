#include "bench/BenchPlatform.h"

#include <cstdio>

TDateTime BenchPlatform::now()
{
    return realClock ? toDateTime(QDateTime::currentDateTime()) : fakeClock;
}

void BenchPlatform::showError(const QString &title, const QString &text)
{
    // A benchmark that hits an error measures the wrong thing: say so loudly.
    std::fprintf(stderr, "error box: %s: %s\n", qPrintable(title), qPrintable(text));
}
