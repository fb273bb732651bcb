#include "ui/QuitSignals.h"

#include <QCoreApplication>

#include <array>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> PoliteSignals = {SIGTERM, SIGHUP, SIGINT};

// The write end is used from the signal handler, which may only touch async-signal-safe state.
int g_pipe[2] = {-1, -1};

void onSignal(int number)
{
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

} // namespace

QuitSignals::QuitSignals(QWidget &mainWindow)
    : m_mainWindow(mainWindow)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QuitSignals::readPending);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : PoliteSignals)
        ::sigaction(number, &action, nullptr);
}

QuitSignals::~QuitSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : PoliteSignals)
        ::sigaction(number, &action, nullptr);
    m_notifier.reset();
    for (int &end : g_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void QuitSignals::readPending()
{
    unsigned char byte = 0;
    if (::read(g_pipe[1], &byte, 1) != 1)
        return;
    m_mainWindow.close();
    QCoreApplication::quit();
}
