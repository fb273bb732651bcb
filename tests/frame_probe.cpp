// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_windowmanager: the real main window, or with the argument "records"
// the records window, shown on the X display of the environment, under its window manager. Once
// the manager's frame is known and the window stands where it was placed with it, or after a
// deadline, prints one line (the task label is the main window's):
//   "<frame x> <frame y> <frame width> <frame height> <display width> <display height>
//    <task label x> <task label width>"
#include <QApplication>
#include <QDeadlineTimer>
#include <QScreen>

#include "HiScore/TfmHiScore.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/support/ProbeOutput.h"
#include "ui/ApplicationSetup.h"
#include "ui/AutoSizeLabel.h"
#include "ui/rules/Centring.h"

namespace {

constexpr int DeadlineMs = 15000;
constexpr int EventWaitMs = 100;

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    AppSandbox sandbox;
    sandbox.platform.display = QGuiApplication::primaryScreen()->geometry();

    sandbox.platform.available = QGuiApplication::primaryScreen()->availableGeometry();

    TfmMain mainWindow;
    TfmHiScore recordsWindow;
    const bool records = QCoreApplication::arguments().contains(QStringLiteral("records"));
    QWidget &window = records ? static_cast<QWidget &>(recordsWindow) : mainWindow;
    window.show();
    const auto centred = [&] {
        const QRect frame = window.frameGeometry();
        return frame.size() != window.size() &&
               frame.topLeft() == centredPosition(frame.size(), sandbox.platform.display,
                                                  sandbox.platform.available);
    };
    const QDeadlineTimer deadline(DeadlineMs);
    while (!centred() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, EventWaitMs);

    const QRect frame = window.frameGeometry();
    const QRect display = sandbox.platform.display;
    const auto *task = control<AutoSizeLabel>(mainWindow, "lbTextPraxis");
    say(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
            .arg(frame.x())
            .arg(frame.y())
            .arg(frame.width())
            .arg(frame.height())
            .arg(display.width())
            .arg(display.height())
            .arg(task->x())
            .arg(task->width())
            .toLatin1());
    return 0;
}
