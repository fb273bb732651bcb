// SPDX-License-Identifier: GPL-3.0-or-later
// A run that changes nothing writes nothing: the result files and the settings file are left
// as they were found, byte for byte, and a run that does change them writes them whole.
#include <QFileInfo>
#include <QTest>

#include <cstring>

#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"

namespace {

constexpr int RecordBytes = 72;
constexpr int HistoryBytes = 112;

// Two records and a fragment of a third, as a file cut short by a crash might hold.
QByteArray recordsWithFragment()
{
    QByteArray bytes(2 * RecordBytes + 5, '\0');
    for (int i = 0; i < 2; ++i) {
        char *record = bytes.data() + i * RecordBytes;
        record[0] = 3;
        std::memcpy(record + 1, "Ann", 3);
        record[36] = 30; // MaxValue 30, MinValue 0: another category than the games below
    }
    return bytes;
}

const QByteArray HandWrittenSettings = "[SaveStat]\ncmbAction=0\nedMin=1\nedMax=30\n"
                                       "cmbDicFiles=-1\ncbReverse=False\nedAnswer=\n"
                                       "edLastName=Player\nedNameLastWallpaper=\ncbSound=False\n"
                                       "; kept by hand\n";

} // namespace

class UnchangedTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void idleRunLeavesFilesAlone();
    void playedRunWritesFilesWhole();
};

void UnchangedTest::idleRunLeavesFilesAlone()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("SaveRes.res"), recordsWithFragment());
    sandbox.writeFile(QStringLiteral("SaveRes.hst"), QByteArray(HistoryBytes + 1, '\x01'));
    sandbox.writeFile(QStringLiteral("SaveStat.ini"), HandWrittenSettings);
    {
        TfmMain window;
        QCOMPARE(window.records().size(), std::size_t(2));
        window.btHiscoreClick(); // ranks, asks nothing: no entry waits for a name
    }
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveRes.res")), recordsWithFragment());
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveRes.hst")), QByteArray(HistoryBytes + 1, '\x01'));
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveStat.ini")), HandWrittenSettings);
    QVERIFY(sandbox.platform.errors.isEmpty());
}

void UnchangedTest::playedRunWritesFilesWhole()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("SaveRes.res"), recordsWithFragment());
    sandbox.writeFile(QStringLiteral("SaveStat.ini"), HandWrittenSettings);
    {
        TfmMain window;
        setRange(window, QStringLiteral("1"), QStringLiteral("20"));
        window.btStartClick();
        for (int i = 0; i < 10; ++i)
            answerWrong(window);
        QVERIFY(!window.isGameRunning());
    }
    // The fragment is no entry: the new file holds the two old ones and the game.
    QCOMPARE(QFileInfo(sandbox.path(QStringLiteral("SaveRes.res"))).size(), 3 * RecordBytes);
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveRes.res")).left(2 * RecordBytes),
             recordsWithFragment().left(2 * RecordBytes));
    QCOMPARE(QFileInfo(sandbox.path(QStringLiteral("SaveRes.hst"))).size(), HistoryBytes);
    const QByteArray settings = sandbox.readFile(QStringLiteral("SaveStat.ini"));
    QVERIFY2(settings.contains("edMax=20\r\n"), settings.constData());
    QVERIFY(settings.contains("; kept by hand"));
}

QTEST_MAIN(UnchangedTest)
#include "tst_unchanged.moc"
