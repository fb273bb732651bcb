// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/Measure.h"

#include <QByteArray>
#include <QTemporaryFile>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

ProcessRun runProcess(const QString &program, const QStringList &arguments,
                      const QString &workingFolder)
{
    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &bytes : storage)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);

    const QByteArray folder = workingFolder.toLocal8Bit();
    char here[4096];
    if (!::getcwd(here, sizeof here))
        return {};
    if (::chdir(folder.constData()) != 0)
        return {};

    // The child's own report of its peak memory comes on its standard output.
    QTemporaryFile report;
    if (!report.open())
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, report.handle(), STDOUT_FILENO);

    ProcessRun run;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.wallMs = elapsedMs(start);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    report.seek(0);
    for (const QByteArray &line : report.readAll().split('\n')) {
        if (line.startsWith("peak-kb "))
            run.peakRssMb = line.mid(8).toDouble() / 1024.0;
    }
    [[maybe_unused]] const int back = ::chdir(here);
    return run;
}
