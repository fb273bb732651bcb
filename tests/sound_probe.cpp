// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_hostilemedia: the real main window in the folder given as its
// argument, with "Звук" on and the real sound player. It answers an addition game wrongly 30
// times with no pause between the answers, lets the sounds finish loading, answers wrongly 30
// times more (the sounds now start again while they play), then closes. Prints the number of
// sounds asked for and the number of sound effects that loaded.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QSoundEffect>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "main/TfmMain.h"
#include "scripted/ScriptedPlatform.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"
#include "ui/DesktopPlatform.h"

namespace {

// Each answer plays a sound; ten wrong answers end a game, so the probe plays several games.
constexpr int WrongAnswersPerRound = 30;

QList<QSoundEffect *> effects()
{
    return qApp->findChildren<QSoundEffect *>();
}

bool anyLoading()
{
    const QList<QSoundEffect *> all = effects();
    return std::any_of(all.cbegin(), all.cend(), [](const QSoundEffect *effect) {
        return effect->status() == QSoundEffect::Loading;
    });
}

void answerWronglyInARow(TfmMain &window)
{
    for (int answer = 0; answer < WrongAnswersPerRound; ++answer) {
        if (!window.isGameRunning())
            window.btStartClick();
        answerWrong(window);
        // Lets the player's loads report back, as the event loop would between two answers.
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir::setCurrent(folder);

    DesktopPlatform desktop(QStringLiteral(SOUND_MODULE_DIR));
    ScriptedPlatform scripted;
    scripted.exePath = folder + QStringLiteral("/Tovelo2");
    scripted.onSound = [&desktop](const QString &path) {
        desktop.playSound(path);
    };
    const PlatformOverride installed(scripted);

    auto window = std::make_unique<TfmMain>();
    control<QCheckBox>(*window, "cbSound")->setChecked(true);
    selectKind(*window, ExerciseKind::Addition);
    answerWronglyInARow(*window);
    // The parent's time limit ends this wait if a load never finishes.
    while (anyLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    answerWronglyInARow(*window);
    const QList<QSoundEffect *> all = effects();
    const auto loaded = std::count_if(all.cbegin(), all.cend(), [](const QSoundEffect *effect) {
        return effect->status() == QSoundEffect::Ready;
    });
    window.reset();
    std::printf("%lld %lld\n", static_cast<long long>(scripted.sounds.size()),
                static_cast<long long>(loaded));
    std::fflush(stdout);
    return 0;
}
