// SPDX-License-Identifier: GPL-3.0-or-later
// A helper process for tst_politeend: the real main window with the real modal boxes, in the
// folder given as its first argument, brought to the box that its second argument names:
//   prompt    the name prompt showing the rejected name "12" at the end of a game
//   message   the message that rejects "12" (the prompt is answered with OK)
//   records   the records window opened by the "Рекорды" button
//   error     the error box of a range that is not a number
//   shutdown  a game running and the records file turned into a folder, so that the shut-down
//             shows an error box once it has saved what it can
//   startup   nothing: the start-up's own boxes come from the files the test laid out, with
//             the program's folder "program" apart from the working folder
// Prints "modal <class>" whenever a modal box it does not answer itself comes up, and "ready"
// once a game runs in the event loop.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

#include "HiScore/TfmHiScore.h"
#include "main/TfmMain.h"
#include "scripted/WindowDriver.h"
#include "tests/support/ProbeOutput.h"
#include "ui/ApplicationSetup.h"
#include "ui/DesktopPlatform.h"
#include "ui/QuitSignals.h"

namespace {

constexpr int PollMs = 10;
constexpr int WrongAnswersToEnd = 10;

// The desktop's boxes and clock, but the end-of-game pause returns at once and the settings
// live in the probe's folder.
class ProbePlatform final : public Platform {
public:
    explicit ProbePlatform(QString folder)
        : m_folder(std::move(folder))
    {
    }
    TDateTime now() override { return m_real.now(); }
    void pause(int) override {}
    quint32 randomSeed() override { return m_real.randomSeed(); }
    void showMessage(const QString &text) override { m_real.showMessage(text); }
    void showError(const QString &title, const QString &text) override
    {
        m_real.showError(title, text);
    }
    QString inputQuery(const QString &caption, const QString &prompt,
                       const QString &initial) override
    {
        return m_real.inputQuery(caption, prompt, initial);
    }
    void showModal(QDialog &dialog) override { m_real.showModal(dialog); }
    void playSound(const QString &) override {}
    QString executablePath() override { return m_folder + QStringLiteral("/Tovelo2"); }
    QRect displayGeometry() override { return m_real.displayGeometry(); }

private:
    DesktopPlatform m_real;
    QString m_folder;
};

void endGame(TfmMain &window)
{
    for (int wrong = 0; wrong < WrongAnswersToEnd; ++wrong)
        answerWrong(window);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QByteArray mode = argv[2];
    QDir::setCurrent(folder);

    const QuitSignals politeEnd;
    ProbePlatform probe(mode == "startup" ? folder + QStringLiteral("/program") : folder);
    const PlatformOverride installed(probe);

    // Reports every box the probe does not answer itself; the prompt is accepted in "message".
    QWidget *reported = nullptr;
    QTimer poller;
    QObject::connect(&poller, &QTimer::timeout, &application, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == reported)
            return;
        reported = modal;
        auto *prompt = qobject_cast<QInputDialog *>(modal);
        if (prompt && mode == "message") {
            prompt->accept();
            return;
        }
        say("modal " + QByteArray(modal->metaObject()->className()));
    });
    poller.start(PollMs);

    TfmMain window;
    TfmHiScore records;
    window.setRecordsWindow(&records);
    if (mode == "startup")
        return runMainLoop(window);
    selectKind(window, ExerciseKind::Addition);
    control<QLineEdit>(window, "edLastName")->setText(QStringLiteral("12"));
    window.show();

    QTimer::singleShot(0, &window, [&] {
        window.btStartClick();
        answerRight(window);
        say("ready");
        if (mode == "prompt" || mode == "message") {
            endGame(window);
        } else if (mode == "records") {
            window.btHiscoreClick();
        } else if (mode == "error") {
            control<QLineEdit>(window, "edMax")->setText(QStringLiteral("много"));
            control<QPushButton>(window, "btHiscore")->click();
        } else if (mode == "shutdown") {
            QFile::remove(QStringLiteral("SaveRes.res"));
            QDir().mkdir(QStringLiteral("SaveRes.res"));
        }
    });
    return runMainLoop(window);
}
