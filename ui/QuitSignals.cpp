// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuitSignals.h"

#include <QApplication>
#include <QWidget>

#include <array>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> PoliteSignals = {SIGTERM, SIGHUP, SIGINT};

// The write end is used from the signal handler, which may only touch async-signal-safe state.
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_shutDown = 0;
bool g_quitRequested = false;
bool g_mainLoopEntered = false;

// Ends the process as the signal's default action would, exit status included.
void endAsSignalled(int number)
{
    ::signal(number, SIG_DFL);
    ::raise(number);
}

void onSignal(int number)
{
    if (g_shutDown) {
        endAsSignalled(number);
        return;
    }
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

void setHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : PoliteSignals)
        ::sigaction(number, &action, nullptr);
}

} // namespace

void requestQuit()
{
    g_quitRequested = true;
    // Not quit(): it does nothing until exec() has started the main loop, and the box of a
    // start-up error runs only its own loop. exit() leaves every loop that runs now and makes
    // any loop started later return at once, up to the next exec().
    QCoreApplication::exit(0);
}

bool isQuitRequested()
{
    return g_quitRequested;
}

bool isQuitBeforeMainLoop()
{
    return g_quitRequested && !g_mainLoopEntered;
}

bool mayOpenBoxes()
{
    return !g_quitRequested || g_shutDown;
}

void enterShutDown()
{
    g_shutDown = 1;
}

void resetQuitRequest()
{
    g_quitRequested = false;
    g_shutDown = 0;
}

int runMainLoop(QWidget &mainWindow)
{
    if (isQuitRequested()) {
        // exec() forgets an exit() made before it: the request is handed to it as its first
        // event, and the shut-down's boxes then wait for an answer as after any quit.
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    } else {
        g_mainLoopEntered = true;
        mainWindow.show();
    }
    return QApplication::exec();
}

QuitSignals::QuitSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QuitSignals::readPending);
    setHandler(onSignal);
}

QuitSignals::~QuitSignals()
{
    setHandler(SIG_DFL);
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
    // A signal that came while the files were being saved is read only now.
    if (g_shutDown)
        endAsSignalled(byte);
    requestQuit();
}
