// SPDX-License-Identifier: GPL-3.0-or-later
// Several copies of the program share one folder, as a classroom running it from a network
// folder does all day: each copy plays games and exits, in an order the test picks, some are
// killed on the way. Every game of every copy that exited politely must be in both files exactly
// once, and every entry the files held before must still be there. Runs real processes.
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <csignal>
#include <map>
#include <memory>
#include <set>

#include "main/rules/ResultCodec.h"
#include "main/rules/ResultStore.h"
#include "tests/support/FileBytes.h"

namespace {

constexpr int Copies = 8;
constexpr int GamesPerCopy = 3;
constexpr int OldEntries = 40;
constexpr int StartTimeoutMs = 60000;
constexpr int EndTimeoutMs = 60000;
constexpr int NetworkSkipped = 77;
const QString RecordsFile = QStringLiteral("SaveRes.res");
const QString HistoryFile = QStringLiteral("SaveRes.hst");

// The order in which the copies are told to end, and what happens to some of them: one is
// killed right after it was told (its save may be under way, lock held), one before.
const std::vector<int> ExitOrder = {5, 0, 3, 6, 1, 7, 2, 4};
const int KilledWhileSaving = 3;
const int KilledBeforeExit = 7;

quint64 bitsOf(double value)
{
    return std::bit_cast<quint64>(value);
}

// Old games in the copies' own category (addition from 1 to 20), some still waiting for a
// name, so that the copies' rankings name the same entries in their own ways.
void writeOldFiles(const QString &folder, std::set<quint64> &oldDates)
{
    std::deque<OneHiScore> records;
    std::deque<OneHistory> history;
    for (int i = 0; i < OldEntries; ++i) {
        OneHiScore record;
        record.Name = i % 4 == 0 ? NewResName : QStringLiteral("Старый %1").arg(i);
        record.MinValue = 1;
        record.MaxValue = 20;
        record.Category = 1;
        record.Score = 100 - i;
        record.Date = 45000 + i;
        records.push_back(record);
        OneHistory past;
        past.Name = QStringLiteral("-");
        past.Description = QStringLiteral("Сложение от 1 до 20");
        past.Date = record.Date;
        history.push_back(past);
        oldDates.insert(bitsOf(record.Date));
    }
    writeAll(folder + QLatin1Char('/') + RecordsFile, encodeEntries(records));
    writeAll(folder + QLatin1Char('/') + HistoryFile, encodeEntries(history));
}

template<typename Entry> std::map<quint64, int> countByDate(const QByteArray &bytes)
{
    std::map<quint64, int> counts;
    for (const Entry &entry : decodeEntries<Entry>(bytes))
        ++counts[bitsOf(entry.Date)];
    return counts;
}

struct Copy {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    std::vector<quint64> games;
};

// Reads the copy's lines until "ready".
bool waitUntilReady(Copy &copy)
{
    QByteArray pending;
    while (copy.process->waitForReadyRead(StartTimeoutMs)) {
        pending += copy.process->readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line == "ready")
                return true;
            if (line.startsWith("game "))
                copy.games.push_back(line.mid(5).toULongLong(nullptr, 16));
        }
    }
    return false;
}

} // namespace

class CopiesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copiesInOneFolder();
    void copiesThroughTwoNetworkMounts();

private:
    // Copy i runs in folders[i]; all of them reach the files in `dataFolder`.
    void runCopies(const QStringList &folders, const QString &dataFolder);
};

void CopiesTest::runCopies(const QStringList &folders, const QString &dataFolder)
{
    std::set<quint64> oldDates;
    writeOldFiles(dataFolder, oldDates);

    std::vector<Copy> copies(Copies);
    for (int i = 0; i < Copies; ++i) {
        copies[i].process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copies[i].process->start(QStringLiteral(COPY_PROBE),
                                 {folders[i], QString::number(i), QString::number(GamesPerCopy)});
    }
    for (Copy &copy : copies)
        QVERIFY(waitUntilReady(copy));

    // All are told at once, so that their saves run side by side.
    for (const int i : ExitOrder) {
        QProcess &process = *copies[i].process;
        if (i != KilledBeforeExit)
            process.write("exit\n");
        if (i == KilledWhileSaving || i == KilledBeforeExit) {
            ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
            // Reaped at once: the lock of a copy that is gone is broken by its process number.
            QVERIFY(process.waitForFinished(EndTimeoutMs));
        }
    }
    for (int i = 0; i < Copies; ++i) {
        if (i != KilledWhileSaving && i != KilledBeforeExit) {
            QVERIFY(copies[i].process->waitForFinished(EndTimeoutMs));
            QCOMPARE(copies[i].process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(copies[i].process->exitCode(), 0);
        }
    }

    const QByteArray recordBytes = readAll(dataFolder + QLatin1Char('/') + RecordsFile);
    const QByteArray historyBytes = readAll(dataFolder + QLatin1Char('/') + HistoryFile);
    QCOMPARE(recordBytes.size() % EntryBytes<OneHiScore>, 0);
    QCOMPARE(historyBytes.size() % EntryBytes<OneHistory>, 0);
    const std::map<quint64, int> records = countByDate<OneHiScore>(recordBytes);
    const std::map<quint64, int> history = countByDate<OneHistory>(historyBytes);
    const auto countIn = [](const std::map<quint64, int> &counts, quint64 date) {
        const auto found = counts.find(date);
        return found == counts.end() ? 0 : found->second;
    };
    for (const quint64 date : oldDates) {
        QCOMPARE(countIn(records, date), 1);
        QCOMPARE(countIn(history, date), 1);
    }
    qsizetype expected = qsizetype(oldDates.size());
    for (int i = 0; i < Copies; ++i) {
        QCOMPARE(copies[i].games.size(), std::size_t(GamesPerCopy));
        for (const quint64 date : copies[i].games) {
            const int inRecords = countIn(records, date);
            if (i == KilledWhileSaving || i == KilledBeforeExit) {
                QVERIFY(inRecords <= 1);
                QCOMPARE(countIn(history, date) <= 1, true);
            } else {
                QVERIFY2(inRecords == 1, qPrintable(QStringLiteral("copy %1 game %2 found %3 times")
                                                        .arg(i)
                                                        .arg(date, 0, 16)
                                                        .arg(inRecords)));
                QCOMPARE(countIn(history, date), 1);
            }
            expected += inRecords;
        }
    }
    // Nothing beyond those: no entry twice, none made up.
    QCOMPARE(recordBytes.size() / EntryBytes<OneHiScore>, expected);
}

void CopiesTest::copiesInOneFolder()
{
    const QTemporaryDir folder;
    QStringList folders;
    for (int i = 0; i < Copies; ++i)
        folders << folder.path();
    runCopies(folders, folder.path());
}

void CopiesTest::copiesThroughTwoNetworkMounts()
{
    // Two FUSE mounts of one folder, as two machines see a school's network share.
    const QTemporaryDir work;
    QProcess mount;
    mount.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    mount.start(QStringLiteral(NETWORK_FOLDER_SCRIPT), {QStringLiteral("up"), work.path()});
    QVERIFY(mount.waitForFinished(StartTimeoutMs));
    const auto unmount = qScopeGuard([&work] {
        QProcess::execute(QStringLiteral(NETWORK_FOLDER_SCRIPT),
                          {QStringLiteral("down"), work.path()});
    });
    if (mount.exitCode() == NetworkSkipped)
        QSKIP(mount.readAllStandardError().constData());
    QCOMPARE(mount.exitCode(), 0);

    QStringList folders;
    for (int i = 0; i < Copies; ++i)
        folders << work.filePath(i < Copies / 2 ? QStringLiteral("a") : QStringLiteral("b"));
    runCopies(folders, work.filePath(QStringLiteral("shared")));
}

QTEST_GUILESS_MAIN(CopiesTest)
#include "tst_copies.moc"
