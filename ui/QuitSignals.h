// Turns SIGTERM, SIGHUP and SIGINT (a logout, a shutdown, Ctrl+C in a terminal) into a close of
// the main window, as its close button would do, so a running game and the files are saved.
// Every event loop is left too, so a modal box cannot hold the close back. The handler only
// writes a byte to a socket pair; the rest runs on the user-interface thread.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QWidget>

#include <memory>

class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QWidget &mainWindow);
    ~QuitSignals() override;

private:
    void readPending();

    QWidget &m_mainWindow;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
