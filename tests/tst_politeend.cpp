// SPDX-License-Identifier: GPL-3.0-or-later
// A polite end from outside (SIGTERM, SIGHUP, SIGINT) closes the main window as its close
// button would: a running game is stored as "Player1" and the files are saved. Runs real
// processes: a probe with a game running, and the program itself.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/FileBytes.h"
#include "tests/support/UnusualFiles.h"

#include <csignal>
#include <map>
#include <variant>

#include "main/rules/ResultCodec.h"

using namespace Qt::StringLiterals;

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

// Every entry below the folder with the time its inode last changed: what a run writes or
// makes shows.
QStringList stateOf(const QString &folder)
{
    QStringList state;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        state << it.next() + it.fileInfo().metadataChangeTime().toString(Qt::ISODateWithMs);
    state.sort();
    return state;
}

template<typename Entry> std::deque<Entry> entriesIn(const QTemporaryDir &folder, const char *name)
{
    return decodeEntries<Entry>(readAll(folder.filePath(QLatin1String(name))));
}

} // namespace

class PoliteEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runningGameIsStored_data();
    void runningGameIsStored();
    void programSavesOnTerm();
    void quitDuringModalBox_data();
    void quitDuringModalBox();
    void secondSignalDuringShutDownBoxEndsAtOnce();
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

// Every event loop returns at once after a quit request: a box that reopens itself until it
// gets an answer must not spin, and the run must still be saved. A box of the start-up, before
// the main loop runs, ends too, and nothing is written: the player has changed nothing yet. Its
// row lays the files that bring it up (the settings and Img in the program's folder "program").
using Layout = std::map<QString, std::variant<Special, QByteArray>>;

void PoliteEndTest::quitDuringModalBox_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("storedName"); // of the game's records entry
    QTest::addColumn<Layout>("layout");

    QTest::addRow("prompt_with_rejected_name_SIGTERM")
        << "prompt" << int(SIGTERM) << QByteArray("QInputDialog") << "NewRes" << Layout();
    QTest::addRow("rejection_message_SIGHUP")
        << "message" << int(SIGHUP) << QByteArray("QMessageBox") << "NewRes" << Layout();
    QTest::addRow("records_window_SIGINT")
        << "records" << int(SIGINT) << QByteArray("TfmHiScore") << "Player1" << Layout();
    QTest::addRow("error_box_SIGTERM")
        << "error" << int(SIGTERM) << QByteArray("QMessageBox") << "Player1" << Layout();

    const auto startUp = [](const char *name, int signalNumber, const Layout &layout) {
        QTest::addRow("start_up_%s", name)
            << "startup" << signalNumber << QByteArray("QMessageBox") << QString() << layout;
    };
    const QString settings = u"program/SaveStat.ini"_s;
    startUp("refused_result_files_SIGTERM", SIGTERM,
            {{u"SaveRes.res"_s, Special::Fifo}, {u"SaveRes.hst"_s, Special::LinkToZero}});
    startUp("program_folder_not_writable_SIGHUP", SIGHUP, {}); // missing: holds for root too
    startUp("range_not_a_number_SIGINT", SIGINT,
            {{settings, "[SaveStat]\r\ncmbAction=0\r\nedMax=many\r\n"}});
    startUp("wallpaper_not_a_picture_SIGTERM", SIGTERM,
            {{settings, "[SaveStat]\r\nedNameLastWallpaper=a.jpg\r\n"},
             {u"program/Img/a.jpg"_s, "text"}});
    startUp("setting_not_an_integer_SIGHUP", SIGHUP,
            {{settings, "[SaveStat]\r\ncmbAction=two\r\n"}});
}

void PoliteEndTest::quitDuringModalBox()
{
    QFETCH(QString, mode);
    QFETCH(int, signalNumber);
    QFETCH(QByteArray, box);
    QFETCH(QString, storedName);
    QFETCH(Layout, layout);

    QTemporaryDir folder;
    layout.insert({{u"SaveRes.res"_s, ""}, {u"SaveRes.hst"_s, ""}});
    for (const auto &[name, made] : layout) {
        QVERIFY(QDir(folder.path()).mkpath(QFileInfo(name).path()));
        if (const auto *kind = std::get_if<Special>(&made))
            QVERIFY(makeSpecial(folder.filePath(name), *kind));
        else
            writeAll(folder.filePath(name), std::get<QByteArray>(made));
    }
    const QStringList before = stateOf(folder.path());
    QProcess probe;
    probe.start(QStringLiteral(MODAL_PROBE), {folder.path(), mode});
    QVERIFY(probe.waitForStarted());
    QVERIFY2(waitForLine(probe, "modal " + box), probe.readAllStandardError().constData());

    ::kill(static_cast<pid_t>(probe.processId()), signalNumber);
    QVERIFY2(probe.waitForFinished(EndTimeoutMs), "the program did not end");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    if (mode == u"startup") {
        QCOMPARE(stateOf(folder.path()), before);
        return;
    }

    const auto records = entriesIn<OneHiScore>(folder, "SaveRes.res");
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records.front().Name, storedName);
    QCOMPARE(entriesIn<OneHistory>(folder, "SaveRes.hst").size(), std::size_t(1));
    // The rejected name is kept for the next prompt.
    QVERIFY(readAll(folder.filePath(QStringLiteral("SaveStat.ini"))).contains("edLastName=12"));
}

// The shut-down saves first and shows its errors after: a logout's second signal then ends
// the program at once, with everything that could be saved on disk.
void PoliteEndTest::secondSignalDuringShutDownBoxEndsAtOnce()
{
    QTemporaryDir folder;
    QProcess probe;
    probe.start(QStringLiteral(MODAL_PROBE), {folder.path(), QStringLiteral("shutdown")});
    QVERIFY(probe.waitForStarted());
    QVERIFY(waitForLine(probe, "ready"));
    ::kill(static_cast<pid_t>(probe.processId()), SIGTERM);
    QVERIFY2(waitForLine(probe, "modal QMessageBox"), "no error box at the shut-down");

    ::kill(static_cast<pid_t>(probe.processId()), SIGTERM);
    QVERIFY2(probe.waitForFinished(EndTimeoutMs), "the second signal did not end the program");
    QCOMPARE(probe.exitStatus(), QProcess::CrashExit);
    const auto history = entriesIn<OneHistory>(folder, "SaveRes.hst");
    QCOMPARE(history.size(), std::size_t(1));
    QVERIFY(readAll(folder.filePath(QStringLiteral("SaveStat.ini"))).startsWith("[SaveStat]"));
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("SaveRes.res"))).isDir());
}

QTEST_GUILESS_MAIN(PoliteEndTest)
#include "tst_politeend.moc"
