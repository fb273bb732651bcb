// SPDX-License-Identifier: GPL-3.0-or-later
// The program against the two peer drill trainers of Debian (KBruch for arithmetic, Parley for
// vocabulary) on the X display of the environment: the time from a program's start to the
// mapping of its first window, and its peak resident memory until then and a moment after. The
// contenders take turns, one run each per round; each figure is the median of the rounds. Exits
// non-zero when the program is not at least twice as fast and twice as lean as each peer.
// Usage: tovelo2-peers PROGRAM_FOLDER   (scripts/compare-peers.sh sets up the display)
#include <QString>

#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/Measure.h"
#include "bench/Report.h"

namespace {

constexpr int Rounds = 15;
constexpr int MapTimeoutMs = 20000;
// A peer keeps loading after its window is mapped; its memory is read a moment later.
constexpr useconds_t SettleMicroseconds = 1500 * 1000;
constexpr double AheadTarget = 2.0;

struct Contender {
    const char *name;
    std::vector<const char *> command;
};

struct Run {
    double mapMs = -1;
    double peakMb = 0;
};

struct DisplayCloser {
    void operator()(Display *display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Waits for the first top-level window mapped on the display; false on timeout.
bool awaitMap(Display *display)
{
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, MapTimeoutMs) <= 0)
            return false;
    }
}

// The display must be watching the root window's children.
Run runOnce(Display *display, const Contender &contender, const char *folder)
{
    XSync(display, True); // events of earlier runs are dropped

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder) != 0)
            _exit(126);
        execvp(contender.command[0], const_cast<char *const *>(contender.command.data()));
        _exit(127);
    }
    Run run;
    if (awaitMap(display))
        run.mapMs = elapsedMs(start);
    usleep(SettleMicroseconds);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (run.mapMs < 0)
        qFatal("%s mapped no window", contender.name);
    constexpr double KbPerMb = 1024.0;
    run.peakMb = double(usage.ru_maxrss) / KbPerMb;
    return run;
}

QString mb(double value)
{
    return QStringLiteral("%1 MB").arg(value, 0, 'f', 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const char *folder = argv[1];
    const std::vector<Contender> contenders = {
        {"Tovelo2", {"./Tovelo2", nullptr}},
        {"KBruch", {"kbruch", nullptr}},
        {"Parley", {"parley", nullptr}},
    };

    // One connection for all runs: a virtual display resets when its last client leaves.
    const DisplayPtr display(XOpenDisplay(nullptr));
    if (!display)
        qFatal("no X display: set DISPLAY");
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);

    std::vector<std::vector<double>> maps(contenders.size());
    std::vector<std::vector<double>> peaks(contenders.size());
    // One round first that is not counted: it fills the file cache for every contender.
    for (int round = 0; round <= Rounds; ++round) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            const Run run = runOnce(display.get(), contenders[i], folder);
            if (round == 0)
                continue;
            maps[i].push_back(run.mapMs);
            peaks[i].push_back(run.peakMb);
        }
    }

    Report report;
    const double ownMap = median(maps[0]);
    const double ownPeak = median(peaks[0]);
    for (std::size_t i = 1; i < contenders.size(); ++i) {
        const QString peer = QString::fromLatin1(contenders[i].name);
        const double mapRatio = median(maps[i]) / ownMap;
        const double peakRatio = median(peaks[i]) / ownPeak;
        report.add({QStringLiteral("time to a mapped window against %1").arg(peer), ms(ownMap),
                    QStringLiteral("%1: %2").arg(peer, ms(median(maps[i]))),
                    QStringLiteral("≥ %1× ahead: %2").arg(AheadTarget).arg(ratio(mapRatio)),
                    mapRatio >= AheadTarget});
        report.add({QStringLiteral("peak memory against %1").arg(peer), mb(ownPeak),
                    QStringLiteral("%1: %2").arg(peer, mb(median(peaks[i]))),
                    QStringLiteral("≥ %1× ahead: %2").arg(AheadTarget).arg(ratio(peakRatio)),
                    peakRatio >= AheadTarget});
    }
    return report.print() ? 0 : 1;
}
