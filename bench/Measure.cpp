#include "bench/Measure.h"

#include <QByteArray>

#include <spawn.h>
#include <sys/resource.h>
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

    ProcessRun run;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        run.wallMs = elapsedMs(start);
        run.peakRssMb = double(usage.ru_maxrss) / 1024.0;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    [[maybe_unused]] const int back = ::chdir(here);
    return run;
}
