// SPDX-License-Identifier: GPL-3.0-or-later
// Under a real window manager the windows stand centred with the manager's frame, title bar
// included, and the main window's first task is centred on the same outer width as the later
// ones; a records window too tall for the screen stands at its top (openbox has no panel). Runs a
// virtual X display, openbox on it, and the window in a probe process.
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartTimeoutMs = 20000;

bool found(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The manager is ready once it names itself on the root window; each look is a run of xprop.
bool awaitManager(const QProcessEnvironment &environment)
{
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        QProcess look;
        look.setProcessEnvironment(environment);
        look.start(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s});
        if (look.waitForFinished(StartTimeoutMs) &&
            look.readAllStandardOutput().contains("window id"))
            return true;
    }
    return false;
}

void stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(StartTimeoutMs))
        process.kill();
}

} // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void centredWithItsFrame_data();
    void centredWithItsFrame();
};

void WindowManagerTest::centredWithItsFrame_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("screen");
    QTest::addRow("main_window") << u"main"_s << u"1280x1024x24"_s;
    QTest::addRow("records_window") << u"records"_s << u"1366x768x24"_s;
    QTest::addRow("records_window_taller_than_the_screen") << u"records"_s << u"1024x600x24"_s;
}

void WindowManagerTest::centredWithItsFrame()
{
    QFETCH(QString, window);
    QFETCH(QString, screen);
    for (const QString &program : {u"Xvfb"_s, u"openbox"_s, u"xprop"_s}) {
        if (!found(program))
            QSKIP(
                qPrintable(program + u" is missing: scripts/install-deps.sh --test installs it"_s));
    }

    // The server names a free display on standard output once it listens. It must not reset
    // when a short look at it (xprop) leaves before the manager has come.
    QProcess server;
    server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, screen, u"-nolisten"_s,
                             u"tcp"_s, u"-noreset"_s});
    QVERIFY(server.waitForReadyRead(StartTimeoutMs));
    const QString display = u':' + QString::fromLatin1(server.readAllStandardOutput().trimmed());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, display);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    // Under the sanitizers the X libraries trip the strict string checks (libxkbcommon-x11's
    // strndup reads a bounded string without its end) and leave D-Bus allocations; the window's
    // own code is checked by the offscreen tests.
    environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);

    QProcess manager;
    manager.setProcessEnvironment(environment);
    manager.start(u"openbox"_s, {u"--sm-disable"_s});
    if (!awaitManager(environment)) {
        stop(manager);
        QFAIL(qPrintable(u"openbox did not start on "_s + display + u": "_s +
                         QString::fromLocal8Bit(manager.readAllStandardError())));
    }

    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(FRAME_PROBE), {window});
    QVERIFY(probe.waitForFinished(StartTimeoutMs));
    const QByteArray output = probe.readAllStandardOutput().trimmed();
    stop(manager);
    stop(server);

    const QList<QByteArray> figures = output.split(' ');
    QVERIFY2(figures.size() == 8, probe.readAllStandardError().constData());
    const auto at = [&](int index) {
        return figures[index].toInt();
    };
    const int frameX = at(0), frameY = at(1), frameWidth = at(2), frameHeight = at(3);
    const int screenWidth = at(4), screenHeight = at(5), taskX = at(6), taskWidth = at(7);
    QCOMPARE(frameX, (screenWidth - frameWidth) / 2);
    QCOMPARE(frameY, frameHeight > screenHeight ? 0 : (screenHeight - frameHeight) / 2);
    if (window == u"main"_s)
        QCOMPARE(taskX, (frameWidth - taskWidth) / 2);
}

QTEST_GUILESS_MAIN(WindowManagerTest)
#include "tst_windowmanager.moc"
