// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a settings file, changes one key and saves it, as a run of the program does, in a fresh
// process whose address space is capped a given number of bytes above what it maps at the
// start. tst_inifile runs it: in a fresh single-threaded process every allocation grows the
// address space, so the cap measures the reader's memory.
// Usage: settings_probe <file> <extra bytes>. Exits 0 when the save worked, 1 on an error of the
// program's own, 2 when memory ran out, 3 on bad arguments.
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "ExecStat/rules/IniFile.h"
#include "rules/Error.h"
#include "tests/support/LimitedChild.h"

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 3;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const rlim_t cap = mappedBytes() + rlim_t(std::strtoull(argv[2], nullptr, 10));
    const rlimit space{cap, cap};
    if (setrlimit(RLIMIT_AS, &space) != 0)
        return 3;
    int result = 0;
    try {
        IniFile file(path);
        file.writeString(QStringLiteral("SaveStat"), QStringLiteral("edMin"), QStringLiteral("2"));
        file.flush();
    } catch (const Error &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        result = 1;
    } catch (const std::bad_alloc &) {
        result = 2;
    }
    // Ends without exit handlers: a leak checker's own thread would need memory beyond the cap.
    std::fflush(stderr);
    std::_Exit(result);
}
