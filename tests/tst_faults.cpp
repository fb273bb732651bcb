// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing a player has is lost when a save goes wrong: a save killed at any moment leaves each
// result file whole, old or new; a full disk or a target that cannot be written leaves the old
// file whole, names the file in the error box and still saves the other files. The failures are
// made with means that stop root too: a file size limit, a folder in place of the file, a
// folder path through a regular file.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/FileBytes.h"
#include <QThread>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>

#include "main/rules/ResultCodec.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/SaveProbeContents.h"
#include "tests/support/FileSizeLimit.h"
#include "ui/ApplicationSetup.h"

namespace {

const QString RecordsFile = QStringLiteral("SaveRes.res");
const QString HistoryFile = QStringLiteral("SaveRes.hst");
const QString SettingsFile = QStringLiteral("SaveStat.ini");

constexpr int Kills = 30;
constexpr quint32 KillSeed = 20240607;
constexpr int MaxLinesBeforeKill = 4;
constexpr int MaxKillDelayMs = 120;
constexpr int ProbeTimeoutMs = 60000;

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// What the probe had under way for one file when it was killed: the content last saved whole,
// and the content being saved, if any.
struct SaveProgress {
    int saved = 0;
    std::optional<int> underWay;
};

class ProbeRun {
public:
    ProbeRun(const QString &folder, int first)
    {
        m_probe.start(QStringLiteral(SAVE_PROBE), {folder, QString::number(first)});
    }
    ~ProbeRun()
    {
        if (m_probe.state() != QProcess::NotRunning) {
            m_probe.kill();
            m_probe.waitForFinished(ProbeTimeoutMs);
        }
    }
    ProbeRun(const ProbeRun &) = delete;
    ProbeRun &operator=(const ProbeRun &) = delete;

    // Waits until the probe has printed so many lines in all; false when it never does.
    bool waitForLines(int count)
    {
        while (m_lines.size() < count) {
            if (!m_probe.waitForReadyRead(ProbeTimeoutMs))
                return false;
            readLines();
        }
        return true;
    }
    qint64 pid() const { return m_probe.processId(); }
    // Kills it with SIGKILL and returns every line it printed.
    QList<QByteArray> kill()
    {
        ::kill(static_cast<pid_t>(m_probe.processId()), SIGKILL);
        m_probe.waitForFinished(ProbeTimeoutMs);
        readLines();
        return m_lines;
    }
    QProcess::ExitStatus exitStatus() const { return m_probe.exitStatus(); }

private:
    void readLines()
    {
        m_pending += m_probe.readAllStandardOutput();
        qsizetype end;
        while ((end = m_pending.indexOf('\n')) >= 0) {
            m_lines << m_pending.left(end);
            m_pending.remove(0, end + 1);
        }
    }

    QProcess m_probe;
    QByteArray m_pending;
    QList<QByteArray> m_lines;
};

// Follows the probe's lines: "<file> <content>" starts a save, "done" ends it.
void followProbe(const QList<QByteArray> &lines, SaveProgress &records, SaveProgress &history)
{
    SaveProgress *current = nullptr;
    for (const QByteArray &line : lines) {
        if (line == "done" && current) {
            current->saved = *current->underWay;
            current->underWay.reset();
            current = nullptr;
            continue;
        }
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 2)
            continue;
        current = words[0] == RecordsFile.toLatin1() ? &records : &history;
        current->underWay = words[1].toInt();
    }
}

// The kind of fault a save at exit meets.
enum class Fault {
    DiskFull,        // the file cannot grow to its new size
    FolderInPlace,   // a folder took the file's place while the program ran
    PathThroughFile, // the file's folder is a regular file
};

OneHiScore oldRecord(int i)
{
    OneHiScore entry;
    entry.Name = QStringLiteral("Старый %1").arg(i);
    entry.MinValue = 1;
    entry.MaxValue = 30;
    entry.Score = 30 - i;
    entry.Date = 45000.5 + i;
    entry.Duration = 0.001;
    entry.Answers = 10 - i % 10;
    entry.Errors = 10;
    return entry;
}

OneHistory oldPast(int i)
{
    OneHistory entry;
    entry.Name = QStringLiteral("-");
    entry.Description = QStringLiteral("Сложение от 1 до 30");
    entry.Score = 30 - i;
    entry.Date = 45000.5 + i;
    entry.Duration = 0.001;
    entry.Answers = 10 - i % 10;
    return entry;
}

template<typename Entry> QByteArray oldEntries(int count, Entry (*make)(int))
{
    std::deque<Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(make(i));
    return encodeEntries(entries);
}

constexpr int SmallCount = 3;
// Larger than the disk has room for, where the file meets a full disk.
constexpr int LargeCount = 400;
constexpr rlim_t DiskRoom = 16 * 1024;

QByteArray settingsText(bool large)
{
    QByteArray text = "[SaveStat]\r\ncmbAction=3\r\nedMin=1\r\nedMax=30\r\n";
    if (large) {
        text += "[Notes]\r\n";
        for (int i = 0; text.size() <= qsizetype(DiskRoom); ++i)
            text += "note" + QByteArray::number(i) + "=a line kept for the player's own use\r\n";
    }
    return text;
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void killedSaveLeavesWholeFiles();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
};

void FaultsTest::killedSaveLeavesWholeFiles()
{
    const std::array<ProbeBytes, ProbeContentCount> expected = probeBytes();
    QTemporaryDir folder;
    const QString records = folder.filePath(RecordsFile);
    const QString history = folder.filePath(HistoryFile);
    writeAll(records, expected[0].records);
    writeAll(history, expected[0].history);

    QRandomGenerator random(KillSeed);
    SaveProgress recordsProgress;
    SaveProgress historyProgress;
    int killedUnderWay = 0;
    int newContentFound = 0;
    int leftBehind = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        // Each run starts with the content the records file does not hold, so that its first
        // save changes it.
        ProbeRun probe(folder.path(), 1 - recordsProgress.saved);
        QVERIFY2(probe.waitForLines(1), "the probe did not start");
        QVERIFY(probe.waitForLines(1 + random.bounded(MaxLinesBeforeKill)));
        QThread::msleep(random.bounded(MaxKillDelayMs));
        const QList<QByteArray> lines = probe.kill();
        QCOMPARE(probe.exitStatus(), QProcess::CrashExit);

        followProbe(lines, recordsProgress, historyProgress);
        for (auto [path, progress, whole] :
             {std::tuple{records, &recordsProgress, &ProbeBytes::records},
              std::tuple{history, &historyProgress, &ProbeBytes::history}}) {
            const QByteArray found = readAll(path);
            const bool old = found == expected[progress->saved].*whole;
            const bool fresh = progress->underWay && found == expected[*progress->underWay].*whole;
            QVERIFY2(old || fresh, qPrintable(QStringLiteral("kill %1: %2 holds %3 bytes, "
                                                             "neither old nor new content")
                                                  .arg(kill)
                                                  .arg(path)
                                                  .arg(found.size())));
            if (progress->underWay) {
                ++killedUnderWay;
                newContentFound += fresh ? 1 : 0;
                if (fresh)
                    progress->saved = *progress->underWay;
                progress->underWay.reset();
            }
        }
        // A killed save leaves no partial file beside the two. A kill between the moment the
        // save links its finished temporary file and the rename leaves that file under its
        // temporary name: it holds the whole new content, so nothing is lost.
        for (const QString &entry : folderEntries(folder.path())) {
            if (entry == HistoryFile || entry == RecordsFile)
                continue;
            const bool recordsCopy = entry.startsWith(RecordsFile + QLatin1Char('.'));
            QVERIFY2(recordsCopy || entry.startsWith(HistoryFile + QLatin1Char('.')),
                     qPrintable(entry));
            const QByteArray copy = readAll(folder.filePath(entry));
            bool whole = false;
            for (const ProbeBytes &content : expected)
                whole = whole || copy == (recordsCopy ? content.records : content.history);
            QVERIFY2(
                whole,
                qPrintable(QStringLiteral("kill %1: %2 is a partial file").arg(kill).arg(entry)));
            ++leftBehind;
            QFile::remove(folder.filePath(entry));
        }
    }
    // The kills hit saves under way, not only the pauses between them.
    QVERIFY(killedUnderWay > 0);
    qInfo("%d kills, %d of them during a save; %d found the new content already in place, %d left "
          "a whole copy under its temporary name",
          Kills, killedUnderWay, newContentFound, leftBehind);
}

void FaultsTest::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Fault>("fault");

    QTest::addRow("records_disk_full") << RecordsFile << Fault::DiskFull;
    QTest::addRow("history_disk_full") << HistoryFile << Fault::DiskFull;
    QTest::addRow("settings_disk_full") << SettingsFile << Fault::DiskFull;
    QTest::addRow("records_folder_in_place") << RecordsFile << Fault::FolderInPlace;
    QTest::addRow("history_folder_in_place") << HistoryFile << Fault::FolderInPlace;
    QTest::addRow("settings_folder_in_place") << SettingsFile << Fault::FolderInPlace;
    QTest::addRow("settings_folder_is_a_file") << SettingsFile << Fault::PathThroughFile;
}

void FaultsTest::failedSaveKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(Fault, fault);
    const bool large = fault == Fault::DiskFull;

    AppSandbox sandbox;
    const QByteArray oldRecords =
        oldEntries(large && target == RecordsFile ? LargeCount : SmallCount, &oldRecord);
    const QByteArray oldHistory =
        oldEntries(large && target == HistoryFile ? LargeCount : SmallCount, &oldPast);
    const QByteArray oldSettings = settingsText(large && target == SettingsFile);
    sandbox.writeFile(RecordsFile, oldRecords);
    sandbox.writeFile(HistoryFile, oldHistory);
    QString settingsPath = sandbox.path(SettingsFile);
    if (fault == Fault::PathThroughFile) {
        // The executable's folder is a regular file: no settings file can be made in it.
        sandbox.writeFile(QStringLiteral("plain"), "x");
        sandbox.platform.exePath = sandbox.path(QStringLiteral("plain/Tovelo2"));
        settingsPath = sandbox.path(QStringLiteral("plain/") + SettingsFile);
    } else {
        sandbox.writeFile(SettingsFile, oldSettings);
    }

    auto window = std::make_unique<TfmMain>();
    QVERIFY(sandbox.platform.errors.isEmpty());
    selectKind(*window, ExerciseKind::Addition);
    setRange(*window, QStringLiteral("1"), QStringLiteral("30"));
    window->btStartClick();
    QVERIFY(window->isGameRunning());
    answerRight(*window);
    answerRight(*window);

    if (fault == Fault::FolderInPlace) {
        QVERIFY(QFile::remove(sandbox.path(target)));
        sandbox.writeFile(target + QStringLiteral("/keep.txt"), "precious");
    }
    {
        const FileSizeLimit diskFull(fault == Fault::DiskFull ? DiskRoom : RLIM_INFINITY);
        QVERIFY(diskFull.active());
        window.reset(); // closing saves the running game, the settings and both files
    }

    QCOMPARE(sandbox.platform.errors.size(), 1);
    const QString &error = sandbox.platform.errors.front();
    QVERIFY2(error.contains(target), qPrintable(error));

    // The target keeps what it held.
    if (fault == Fault::FolderInPlace) {
        QVERIFY(QFileInfo(sandbox.path(target)).isDir());
        QCOMPARE(sandbox.readFile(target + QStringLiteral("/keep.txt")), QByteArray("precious"));
    } else if (target == RecordsFile) {
        QCOMPARE(sandbox.readFile(RecordsFile), oldRecords);
    } else if (target == HistoryFile) {
        QCOMPARE(sandbox.readFile(HistoryFile), oldHistory);
    } else if (fault == Fault::DiskFull) {
        QCOMPARE(sandbox.readFile(SettingsFile), oldSettings);
    }
    QCOMPARE(folderEntries(sandbox.path(QString())).filter(QStringLiteral("SaveRes")),
             (QStringList{HistoryFile, RecordsFile}));

    // The other files are saved all the same: the old entries and the closed game after them.
    if (target != RecordsFile) {
        const QByteArray saved = sandbox.readFile(RecordsFile);
        QVERIFY(saved.startsWith(oldRecords));
        const std::deque<OneHiScore> entries = decodeEntries<OneHiScore>(saved);
        QCOMPARE(entries.size(), std::size_t(SmallCount + 1));
        QCOMPARE(entries.back().Name, QStringLiteral("Player1"));
        QCOMPARE(entries.back().Answers, 2);
    }
    if (target != HistoryFile) {
        const QByteArray saved = sandbox.readFile(HistoryFile);
        QVERIFY(saved.startsWith(oldHistory));
        QCOMPARE(decodeEntries<OneHistory>(saved).size(), std::size_t(SmallCount + 1));
    }
    if (target != SettingsFile)
        QVERIFY(readAll(settingsPath).contains("cmbAction=0\r\n"));
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
