// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_copies and tst_permissions: one copy of the program working in the
// folder given as its first argument (its program folder too, unless a fourth argument names
// another), playing the number of games given as its third argument with the real main window.
// Its clock starts at a moment of its own (second argument: the copy's number), so that every
// game of every copy has its own end time. Prints "game <end time as hex bits>" per game, then
// "ready", and ends politely (the main window saving the files) when a line arrives on its
// standard input; then "error <text>" for every error box of the run, and "done".
#include <QApplication>
#include <QDir>

#include <bit>
#include <iostream>
#include <string>

#include "main/TfmMain.h"
#include "scripted/ScriptedPlatform.h"
#include "scripted/WindowDriver.h"
#include "tests/support/ProbeOutput.h"

namespace {

constexpr int WrongAnswersToEnd = 10;
constexpr double CopyClockSpacingDays = 1.0;
constexpr double SecondsBetweenGames = 90;

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int copy = QByteArray(argv[2]).toInt();
    const int games = QByteArray(argv[3]).toInt();
    const QString programFolder = argc > 4 ? QString::fromLocal8Bit(argv[4]) : folder;
    QDir::setCurrent(folder);

    ScriptedPlatform scripted;
    scripted.exePath = programFolder + QStringLiteral("/Tovelo2");
    scripted.clock += copy * CopyClockSpacingDays;
    for (int n = 0; n < 4 * games; ++n)
        scripted.inputAnswers << QStringLiteral("Копия %1 имя %2").arg(copy).arg(n);
    const PlatformOverride installed(scripted);
    {
        TfmMain window;
        selectKind(window, ExerciseKind::Addition);
        setRange(window, QStringLiteral("1"), QStringLiteral("20"));
        for (int game = 0; game < games; ++game) {
            scripted.advanceSeconds(SecondsBetweenGames);
            window.btStartClick();
            for (int right = 0; right < (copy + game) % 4; ++right)
                answerRight(window);
            for (int wrong = 0; wrong < WrongAnswersToEnd; ++wrong)
                answerWrong(window);
            const auto bits = std::bit_cast<quint64>(window.records().back().Date);
            say("game " + QByteArray::number(bits, 16));
        }
        say("ready");
        std::string line;
        std::getline(std::cin, line);
    }
    for (const QString &error : std::as_const(scripted.errors))
        say("error " + error.toUtf8());
    say("done");
    return 0;
}
