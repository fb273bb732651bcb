// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_faults: saves the result files in the folder given as its first
// argument again and again, through the same encoders and file replacement as the main window
// at exit, alternating the two probe contents and starting with the one given as its second
// argument. Reports each step on a line of its own, so that a test that kills it knows what
// was under way: "ready", then "<file> <content>" before and "done" after each save.
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "rules/FileReplace.h"
#include "tests/SaveProbeContents.h"

namespace {

void report(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

template<typename Entry> void save(const char *file, int which, const std::deque<Entry> &entries)
{
    std::printf("%s %d\n", file, which);
    std::fflush(stdout);
    replaceFile(QString::fromLatin1(file), encodeEntries(entries));
    report("done");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 3)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const int first = QByteArray(argv[2]).toInt();

    const std::array<ProbeContent, ProbeContentCount> contents = {probeContent(0), probeContent(1)};
    report("ready");
    for (int n = first;; ++n) {
        const int which = n % ProbeContentCount;
        save("SaveRes.res", which, contents[which].records);
        save("SaveRes.hst", which, contents[which].history);
    }
}
