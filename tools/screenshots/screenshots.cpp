// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the pictures of the README and the user guide: the main window at rest and during an
// arithmetic and a vocabulary game, the records window, the history window and the progress
// window after two weeks of games. Plays real games
// through the windows on the offscreen platform with a scripted clock and names, and grabs the
// windows as they are drawn.
// Usage: tovelo2-screenshots OUTPUT_FOLDER SAMPLES_FOLDER
#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

#include "HiScore/TfmHiScore.h"
#include "Progress/TfmProgress.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"

namespace {

constexpr int TicksPerSecond = 20;
constexpr quint32 Seed = 20261208;
const QRect Screen{0, 0, 1280, 1024};

void save(QWidget &window, const QString &path)
{
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

// Plays an arithmetic game: `right` right answers mixed with some wrong ones, a few seconds
// each, then wrong answers until the mistakes bar is full.
void playArithmetic(TfmMain &w, ScriptedPlatform &p, int right, bool finish)
{
    w.btStartClick();
    for (int i = 0; i < right && w.isGameRunning(); ++i) {
        const int seconds = 2 + (i * 7) % 4;
        for (int t = 0; t < seconds * TicksPerSecond; ++t) {
            p.advanceSeconds(1.0 / TicksPerSecond);
            w.TimerTimer();
        }
        if (i % 6 == 5)
            answerWrong(w);
        answerRight(w);
    }
    while (finish && w.isGameRunning())
        answerWrong(w);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SAMPLES_FOLDER\n", argv[0]);
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString samples = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(output);

    AppSandbox sandbox;
    copyFolder(samples + QStringLiteral("/Dic"), sandbox.path(QStringLiteral("Dic")));
    copyFolder(samples + QStringLiteral("/Img"), sandbox.path(QStringLiteral("Img")));
    ScriptedPlatform &platform = sandbox.platform;
    platform.clock = toDateTime(QDateTime(QDate(2026, 12, 8), QTime(16, 30)));
    platform.seed = Seed;
    platform.display = Screen;
    platform.inputAnswers = {QStringLiteral("Маша"), QStringLiteral("Петя"),
                             QStringLiteral("Маша"), QStringLiteral("Алёша"),
                             QStringLiteral("Петя"), QStringLiteral("Маша")};

    // The main window saves the games to the files when it is destroyed; the progress window
    // reads them there.
    {
        TfmMain w;
        TfmHiScore records;
        w.setRecordsWindow(&records);
        save(w, output + QStringLiteral("/main-window.png"));

        selectKind(w, ExerciseKind::Multiplication);
        control<QLineEdit>(w, "edMax")->setText(QStringLiteral("100"));
        const int gameLengths[] = {14, 25, 9, 31, 18};
        for (const int length : gameLengths) {
            playArithmetic(w, platform, length, true);
            platform.advanceSeconds(600);
        }
        save(records, output + QStringLiteral("/records.png"));

        playArithmetic(w, platform, 7, false);
        for (int t = 0; t < 30; ++t)
            w.TimerTimer();
        save(w, output + QStringLiteral("/game.png"));
        playArithmetic(w, platform, 0, true);

        selectKind(w, ExerciseKind::ForeignLanguage);
        w.btStartClick();
        platform.advanceSeconds(3);
        for (int t = 0; t < 25; ++t)
            w.TimerTimer();
        save(w, output + QStringLiteral("/vocabulary.png"));

        w.btHistoryClick();
        save(records, output + QStringLiteral("/history.png"));

        // Two weeks of addition games of three children, a day or two apart, each a little better.
        selectKind(w, ExerciseKind::Addition);
        control<QLineEdit>(w, "edMax")->setText(QStringLiteral("30"));
        const QString children[] = {QStringLiteral("Маша"), QStringLiteral("Петя"),
                                    QStringLiteral("Алёша")};
        for (int day = 0; day < 14; day += 2) {
            platform.advanceSeconds(2 * 86400);
            for (int child = 0; child < 3; ++child) {
                platform.inputAnswers << children[child];
                playArithmetic(w, platform, 8 + day + 4 * child, true);
                platform.advanceSeconds(900);
            }
        }
    }
    TfmProgress progress{QString()};
    progress.show();
    QApplication::processEvents();
    save(progress, output + QStringLiteral("/progress.png"));
    for (const QString &error : std::as_const(platform.errors))
        std::fprintf(stderr, "error box: %s\n", qPrintable(error));
    return platform.errors.isEmpty() ? 0 : 1;
}
