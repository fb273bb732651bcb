// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version answer, --export-history writes its file, and an option the program does
// not take is refused, without a display and without writing any other file: the real program
// runs from a folder of the test's own, with a home, a data folder and a working folder of the
// test's own, all unchanged after it but for the file exported.
#include <QDateTime>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "main/rules/ResultCodec.h"
#include "ui/CommandLine.h"

using namespace Qt::StringLiterals;

namespace {

// One game in the history, which names nobody, and its records entry, which does.
void writeResultFiles(const QString &folder)
{
    const OneHistory game{u"-"_s, u"Сложение от 1 до 30"_s, 40, 46111.5, 300.0 / 86400, 20};
    QFile history(folder + u"/SaveRes.hst"_s);
    QVERIFY(history.open(QIODevice::WriteOnly));
    history.write(encodeEntries(std::deque<OneHistory>{game}));
    QFile records(folder + u"/SaveRes.res"_s);
    QVERIFY(records.open(QIODevice::WriteOnly));
    records.write(encodeEntries(std::deque<OneHiScore>{
        {u"Аня"_s, 1, 30, 0, game.Score, game.Date, game.Duration, game.Answers, 2}}));
}

QStringList everythingUnder(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        found << entry.filePath() + u' ' + entry.lastModified().toString(Qt::ISODateWithMs);
    }
    found.sort();
    return found;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersWithoutWritingAFile_data();
    void answersWithoutWritingAFile();
    void progressFolder_data();
    void progressFolder();
};

void CommandLineTest::answersWithoutWritingAFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output"); // how standard output begins; empty: nothing
    QTest::addColumn<QByteArray>("error");  // the same of standard error
    // The bytes of the file @OUT@/out.csv, in a folder of its own; empty: no such file.
    QTest::addColumn<QByteArray>("exported");
    const QByteArray none;
    QTest::addRow("help") << QStringList{u"--help"_s} << 0
                          << "Использование: Tovelo2 [-h | -v]\n"_ba << none << none;
    QTest::addRow("version") << QStringList{u"--version"_s} << 0
                             << "Tovelo2 " TOVELO_VERSION "\n"_ba << none << none;
    QTest::addRow("unknown_option") << QStringList{u"--frobnicate"_s} << 2 << none
                                    << "Tovelo2: неизвестный параметр «--frobnicate».\n"_ba << none;
    QTest::addRow("progress_with_two_folders") << QStringList{u"--progress"_s, u"a"_s, u"b"_s} << 2
                                               << none << "Tovelo2: лишний аргумент «b»"_ba << none;
    // The results folder of a program folder it may write is the working folder.
    QTest::addRow("export_history")
        << QStringList{u"--export-history"_s, u"@OUT@/out.csv"_s} << 0 << none << none
        << "\xEF\xBB\xBFИмя,Упражнение,Очки,Дата,Длительность (с),Правильных ответов\r\n"
           "Аня,Сложение от 1 до 30,40,2026-03-30 12:00:00,300,20\r\n"_ba;
    QTest::addRow("export_without_a_file")
        << QStringList{u"--export-history"_s} << 2 << none
        << "Tovelo2: неверно задан параметр «--export-history»"_ba << none;
    QTest::addRow("export_of_an_unreadable_history")
        << QStringList{u"--export-history"_s, u"out.csv"_s, u"--folder"_s, u"broken"_s} << 1 << none
        << "Tovelo2: Не удалось открыть файл broken/SaveRes.hst: "_ba << none;
    QTest::addRow("export_under_a_regular_file")
        << QStringList{u"--export-history"_s, u"SaveRes.hst/out.csv"_s} << 1 << none
        << "Tovelo2: Не удалось записать файл SaveRes.hst/out.csv: "_ba << none;
    QTest::addRow("export_to_a_device")
        << QStringList{u"--export-history"_s, u"/dev/full"_s} << 1 << none
        << "Tovelo2: Не удалось записать файл /dev/full: "_ba << none;
}

void CommandLineTest::answersWithoutWritingAFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(QByteArray, exported);

    QTemporaryDir root;
    for (const QString &name : {u"program"_s, u"home"_s, u"data"_s, u"work"_s})
        QVERIFY(QDir(root.path()).mkdir(name));
    const QString program = root.filePath(u"program/Tovelo2"_s);
    QVERIFY(QFile::copy(QStringLiteral(TOVELO_PROGRAM), program));
    writeResultFiles(root.filePath(u"work"_s));
    QVERIFY(QDir(root.path()).mkpath(u"work/broken/SaveRes.hst"_s));
    // No display: a program that made its application object would abort here.
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, root.filePath(u"home"_s));
    environment.insert(u"XDG_DATA_HOME"_s, root.filePath(u"data"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    const QStringList before = everythingUnder(root.path());

    QProcess tovelo;
    tovelo.setProcessEnvironment(environment);
    tovelo.setWorkingDirectory(root.filePath(u"work"_s));
    QTemporaryDir exports;
    arguments.replaceInStrings(u"@OUT@"_s, exports.path());
    tovelo.start(program, arguments);
    QVERIFY(tovelo.waitForFinished());
    const QByteArray out = tovelo.readAllStandardOutput();
    const QByteArray err = tovelo.readAllStandardError();
    QVERIFY2(out.startsWith(output) && out.isEmpty() == output.isEmpty(), out.constData());
    QVERIFY2(err.startsWith(error) && err.isEmpty() == error.isEmpty(), err.constData());
    QCOMPARE(tovelo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tovelo.exitCode(), exitCode);
    QFile csv(exports.filePath(u"out.csv"_s));
    QCOMPARE(csv.exists(), !exported.isEmpty());
    if (csv.open(QIODevice::ReadOnly))
        QCOMPARE(csv.readAll(), exported);
    QCOMPARE(everythingUnder(root.path()), before);
}

void CommandLineTest::progressFolder_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<bool>("progress");
    QTest::addColumn<QString>("folder");
    QTest::addRow("none") << QByteArrayList{} << false << QString();
    QTest::addRow("own_results_folder") << QByteArrayList{"--progress"} << true << QString();
    QTest::addRow("folder_given") << QByteArrayList{"-style", "fusion", "--progress", "/srv/класс"}
                                  << true << u"/srv/класс"_s;
}

void CommandLineTest::progressFolder()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, progress);
    QFETCH(QString, folder);
    arguments.prepend("Tovelo2");
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    const std::optional<QString> opened = ::progressFolder(int(argv.size()), argv.data());
    QCOMPARE(opened.has_value(), progress);
    QCOMPARE(opened.value_or(QString()), folder);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
