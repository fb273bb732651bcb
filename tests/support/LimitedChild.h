// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a check in a forked copy of the test process under a time limit and an address-space
// limit. A hang (an open() that waits on a pipe for ever) or a run-away read (a link to
// /dev/zero) then ends only the child, at once, and the test fails instead of stopping the
// suite or taking the machine down. The check must not use the QTest macros: it reports
// through its result, and the parent compares.
#pragma once

#include <csignal>
#include <fstream>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildLimits {
    unsigned seconds = 10;
    // Address space the child may map beyond what the process maps already.
    rlim_t extraBytes = rlim_t(256) << 20;
};

// What the child reports: 0 when the check held, 1 when it did not or threw, 128 + the signal
// that ended it (SIGALRM at the time limit), -1 when no child could be made.
constexpr int ChildPassed = 0;

inline rlim_t mappedBytes()
{
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * rlim_t(::sysconf(_SC_PAGESIZE));
}

inline int runLimited(const std::function<bool()> &check, ChildLimits limits = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGALRM, SIG_DFL);
        ::alarm(limits.seconds);
        const rlim_t cap = mappedBytes() + limits.extraBytes;
        const rlimit space{cap, cap};
        ::setrlimit(RLIMIT_AS, &space);
        bool held = false;
        try {
            held = check();
        } catch (...) {
        }
        // No destructor or exit handler of the copied test process may run here.
        ::_exit(held ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
