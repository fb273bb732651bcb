// A polite end from outside (SIGTERM, SIGHUP, SIGINT) closes the main window as its close
// button would: a running game is stored as "Player1" and the files are saved. Runs real
// processes: a probe with a game running, and the program itself.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/FileBytes.h"

#include <csignal>

#include "main/ResultCodec.h"

namespace {

constexpr int StartTimeoutMs = 20000;
constexpr int EndTimeoutMs = 20000;

bool waitForLine(QProcess &process, const QByteArray &line)
{
    QByteArray seen;
    while (process.waitForReadyRead(StartTimeoutMs)) {
        seen += process.readAllStandardOutput();
        if (seen.contains(line))
            return true;
    }
    return false;
}

} // namespace

class PoliteEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runningGameIsStored_data();
    void runningGameIsStored();
    void programSavesOnTerm();
};

void PoliteEndTest::runningGameIsStored_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addRow("SIGTERM") << int(SIGTERM);
    QTest::addRow("SIGHUP") << int(SIGHUP);
    QTest::addRow("SIGINT") << int(SIGINT);
}

void PoliteEndTest::runningGameIsStored()
{
    QFETCH(int, signalNumber);
    QTemporaryDir folder;
    QProcess probe;
    probe.start(QStringLiteral(QUIT_PROBE), {folder.path()});
    QVERIFY(probe.waitForStarted());
    QVERIFY2(waitForLine(probe, "ready"), probe.readAllStandardError().constData());

    ::kill(static_cast<pid_t>(probe.processId()), signalNumber);
    QVERIFY(probe.waitForFinished(EndTimeoutMs));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);

    const std::deque<OneHiScore> records =
        decodeEntries<OneHiScore>(readAll(folder.filePath(QStringLiteral("SaveRes.res"))));
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records.front().Name, QStringLiteral("Player1"));
    QCOMPARE(records.front().Score, 6);
    QCOMPARE(records.front().Answers, 2);
    const std::deque<OneHistory> history =
        decodeEntries<OneHistory>(readAll(folder.filePath(QStringLiteral("SaveRes.hst"))));
    QCOMPARE(history.size(), std::size_t(1));
    QVERIFY(readAll(folder.filePath(QStringLiteral("SaveStat.ini"))).startsWith("[SaveStat]"));
}

void PoliteEndTest::programSavesOnTerm()
{
    // The program itself, from a folder of its own, as a desktop logout would end it.
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("Tovelo2"));
    QVERIFY(QFile::copy(QStringLiteral(TOVELO_PROGRAM), program));
    QProcess tovelo;
    tovelo.setWorkingDirectory(folder.path());
    tovelo.start(program, {});
    QVERIFY(tovelo.waitForStarted());
    // The result files are created empty as the main window is made.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("SaveRes.hst"))),
                             StartTimeoutMs);
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("SaveStat.ini"))));
    QTest::qWait(200); // let it reach its event loop

    ::kill(static_cast<pid_t>(tovelo.processId()), SIGTERM);
    QVERIFY(tovelo.waitForFinished(EndTimeoutMs));
    QCOMPARE(tovelo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tovelo.exitCode(), 0);
    const QByteArray settings = readAll(folder.filePath(QStringLiteral("SaveStat.ini")));
    QVERIFY2(settings.startsWith("[SaveStat]\r\ncmbAction=-1\r\n"), settings.constData());
}

QTEST_GUILESS_MAIN(PoliteEndTest)
#include "tst_politeend.moc"
