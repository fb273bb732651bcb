// SPDX-License-Identifier: GPL-3.0-or-later
// Folders with odd permissions, as a teacher's prepared folder or a locked-down program folder
// has them. Root writes anywhere, so the program runs as an ordinary account here: a user made
// for the test when the suite runs as root, the account itself otherwise.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "main/rules/ResultCodec.h"
#include "tests/support/FileBytes.h"

namespace {

constexpr int TimeoutMs = 60000;
const QString TestUser = QStringLiteral("tovelo-test");
const QStringList KeptFiles = {QStringLiteral("SaveRes.res"), QStringLiteral("SaveRes.hst"),
                               QStringLiteral("SaveStat.ini")};

enum class Folder {
    RefusesNewFiles, // the folder is not writable, its files are: it is the program's folder too
    NothingWritable, // a working folder where neither the folder nor anything in it is
    EmptyAndLocked,  // a working folder with nothing in it, where nothing can be made
};

// Runs a program as the ordinary account; returns false when there is none to be had.
bool prepareAccount(QProcess &process, const QString &home)
{
    if (::geteuid() != 0)
        return true;
    if (QProcess::execute(QStringLiteral("id"), {TestUser}) != 0 &&
        QProcess::execute(
            QStringLiteral("useradd"),
            {QStringLiteral("--system"), QStringLiteral("--no-create-home"), TestUser}) != 0)
        return false;
    QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), TestUser, home});
    process.setProgram(QStringLiteral("setpriv"));
    return true;
}

QStringList accountArguments(const QString &program, const QStringList &arguments)
{
    if (::geteuid() != 0)
        return arguments;
    return QStringList{QStringLiteral("--reuid=") + TestUser, QStringLiteral("--regid=") + TestUser,
                       QStringLiteral("--init-groups"), program} +
           arguments;
}

OneHiScore oldRecord()
{
    OneHiScore record;
    record.Name = QStringLiteral("Старый");
    record.MinValue = 1;
    record.MaxValue = 20;
    record.Category = 1;
    record.Score = 5;
    record.Date = 45000;
    return record;
}

} // namespace

class PermissionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oddFolders_data();
    void oddFolders();
};

void PermissionsTest::oddFolders_data()
{
    QTest::addColumn<Folder>("folder");
    QTest::addColumn<bool>("warnedAtStart");
    QTest::addColumn<bool>("gameSaved");

    QTest::addRow("folder_refuses_new_files_files_writable")
        << Folder::RefusesNewFiles << false << true;
    QTest::addRow("nothing_writable") << Folder::NothingWritable << true << false;
    QTest::addRow("empty_folder_nothing_can_be_made") << Folder::EmptyAndLocked << true << false;
}

void PermissionsTest::oddFolders()
{
    QFETCH(Folder, folder);
    QFETCH(bool, warnedAtStart);
    QFETCH(bool, gameSaved);

    QTemporaryDir sandbox;
    QVERIFY(QFile::setPermissions(sandbox.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
    const QString home = sandbox.filePath(QStringLiteral("home"));
    const QString place = sandbox.filePath(QStringLiteral("class"));
    QVERIFY(QDir().mkdir(home));
    QVERIFY(QDir().mkdir(place));
    // A teacher's prepared folder holds the program too; a locked working folder is used by a
    // program the account installed for itself.
    const QString programFolder =
        folder == Folder::RefusesNewFiles ? place : home + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(programFolder));

    const QByteArray oldRecords = encodeEntries(std::deque<OneHiScore>{oldRecord()});
    if (folder != Folder::EmptyAndLocked) {
        writeAll(place + QStringLiteral("/SaveRes.res"), oldRecords);
        writeAll(place + QStringLiteral("/SaveRes.hst"), QByteArray());
        writeAll(place + QStringLiteral("/SaveStat.ini"), "[SaveStat]\r\n");
    }
    const int fileMode = folder == Folder::RefusesNewFiles ? 0666 : 0644;
    for (const QString &name : KeptFiles)
        ::chmod(QFile::encodeName(place + QLatin1Char('/') + name).constData(), mode_t(fileMode));
    ::chmod(QFile::encodeName(place).constData(), 0755);

    QProcess copy;
    copy.setWorkingDirectory(place);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    copy.setProcessEnvironment(environment);
    copy.setProgram(QStringLiteral(COPY_PROBE));
    if (!prepareAccount(copy, home))
        QSKIP("no ordinary account can be made here (useradd failed)");
    copy.setArguments(
        accountArguments(QStringLiteral(COPY_PROBE),
                         {place, QStringLiteral("1"), QStringLiteral("1"), programFolder}));
    copy.start();
    QVERIFY(copy.waitForStarted());
    copy.write("exit\n");
    QVERIFY(copy.waitForFinished(TimeoutMs));
    const QString output = QString::fromUtf8(copy.readAllStandardOutput());
    QVERIFY2(copy.exitCode() == 0 && output.endsWith(QStringLiteral("done\n")),
             qPrintable(output + QString::fromUtf8(copy.readAllStandardError())));

    // One message at start-up names the folder; the exit names what it could not save.
    const bool warned = output.contains(QStringLiteral("в папку ") + place);
    QVERIFY2(warned == warnedAtStart, qPrintable(output));
    const std::deque<OneHiScore> records =
        decodeEntries<OneHiScore>(readAll(place + QStringLiteral("/SaveRes.res")));
    if (gameSaved) {
        QVERIFY2(!output.contains(QStringLiteral("error ")), qPrintable(output));
        QCOMPARE(records.size(), std::size_t(2));
        QCOMPARE(records.front().Name, oldRecord().Name);
        QCOMPARE(decodeEntries<OneHistory>(readAll(place + QStringLiteral("/SaveRes.hst"))).size(),
                 std::size_t(1));
        QVERIFY(readAll(place + QStringLiteral("/SaveStat.ini")).contains("edLastName="));
        QVERIFY(!QFile::exists(home + QStringLiteral("/.local")));
        QCOMPARE(QDir(place).entryList(QDir::Files | QDir::Hidden).size(), KeptFiles.size());
    } else {
        // Nothing on disk is lost or changed, and the player was told about every file.
        QCOMPARE(readAll(place + QStringLiteral("/SaveRes.res")),
                 folder == Folder::EmptyAndLocked ? QByteArray() : oldRecords);
        for (const QString &name : {QStringLiteral("SaveRes.res"), QStringLiteral("SaveRes.hst")})
            QVERIFY2(output.contains(
                         QStringLiteral("error Игры этого запуска не сохранены: файл ") + name) ||
                         output.contains(QStringLiteral("error Не удалось записать файл ") + name),
                     qPrintable(output));
    }
}

QTEST_GUILESS_MAIN(PermissionsTest)
#include "tst_permissions.moc"
