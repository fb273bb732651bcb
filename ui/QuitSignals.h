// SPDX-License-Identifier: GPL-3.0-or-later
// Turns SIGTERM, SIGHUP and SIGINT (a logout, a shutdown, Ctrl+C in a terminal) into a request
// to end the program: every event loop is left, so a modal box cannot hold the end back, and no
// new box of the running program opens after it, so that nothing waits for an answer nobody
// will give. That holds from the start-up on: a box of the window's creation runs before the
// main loop does, and a request made then keeps the program out of the main loop
// (runMainLoop). The main window's destruction then saves the files as at any exit. Once they
// are saved (enterShutDown), a further polite signal ends the program at once: nothing is left
// to lose, and a logout must not wait on a box of the shut-down. The handler only writes a byte
// to a socket pair; the rest runs on the user-interface thread.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

class QWidget;

class QuitSignals : public QObject {
    Q_OBJECT

public:
    QuitSignals();
    ~QuitSignals() override;
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

private:
    void readPending();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

// Leaves every event loop that runs, the main loop or only a box's; from then on
// isQuitRequested() holds.
void requestQuit();
bool isQuitRequested();
// The request came before the main loop ran: the player has changed nothing that needs saving.
bool isQuitBeforeMainLoop();
// Whether a new modal box may open: not between a request to end and the shut-down.
bool mayOpenBoxes();
// The files are saved: a polite signal from now on ends the program at once.
void enterShutDown();
// Back to a running program, for tests that request a quit in-process.
void resetQuitRequest();

// Shows the main window and runs the main loop until the program is to end. After a request
// made during the start-up the window is not shown and the loop only takes that request.
int runMainLoop(QWidget &mainWindow);
