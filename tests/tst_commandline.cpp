// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version answer, and an option the program does not take is refused, without a
// display and without writing any file: the real program runs from a folder of the test's own,
// with a home, a data folder and a working folder of the test's own, all unchanged after it.
#include <QDateTime>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
};

void CommandLineTest::answersWithoutWritingAFile_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output"); // how standard output begins; empty: nothing
    QTest::addColumn<QByteArray>("error");  // the same of standard error
    QTest::addRow("help") << u"--help"_s << 0 << "Использование: Tovelo2 [-h | -v]\n"_ba
                          << ""_ba;
    QTest::addRow("version") << u"--version"_s << 0 << "Tovelo2 " TOVELO_VERSION "\n"_ba
                             << ""_ba;
    QTest::addRow("unknown_option") << u"--frobnicate"_s << 2 << ""_ba
                                    << "Tovelo2: неизвестный параметр «--frobnicate».\n"_ba;
}

void CommandLineTest::answersWithoutWritingAFile()
{
    QFETCH(QString, argument);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);

    QTemporaryDir root;
    for (const QString &name : {u"program"_s, u"home"_s, u"data"_s, u"work"_s})
        QVERIFY(QDir(root.path()).mkdir(name));
    const QString program = root.filePath(u"program/Tovelo2"_s);
    QVERIFY(QFile::copy(QStringLiteral(TOVELO_PROGRAM), program));
    // No display: a program that made its application object would abort here.
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, root.filePath(u"home"_s));
    environment.insert(u"XDG_DATA_HOME"_s, root.filePath(u"data"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    const QStringList before = everythingUnder(root.path());

    QProcess tovelo;
    tovelo.setProcessEnvironment(environment);
    tovelo.setWorkingDirectory(root.filePath(u"work"_s));
    tovelo.start(program, {argument});
    QVERIFY(tovelo.waitForFinished());
    const QByteArray out = tovelo.readAllStandardOutput();
    const QByteArray err = tovelo.readAllStandardError();
    QVERIFY2(out.startsWith(output) && out.isEmpty() == output.isEmpty(), out.constData());
    QVERIFY2(err.startsWith(error) && err.isEmpty() == error.isEmpty(), err.constData());
    QCOMPARE(tovelo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tovelo.exitCode(), exitCode);
    QCOMPARE(everythingUnder(root.path()), before);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
