// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as only a window shows it: its frame, the stacking order of its controls, the
// fonts that reach the screen, the first start, centring, and the event guard's error box. The
// controls' places and texts are those of ui/fmMain.ui; the rules of a task are the session's.
#include <QCheckBox>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "rules/Error.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"
#include "ui/AutoSizeLabel.h"
#include "ui/EventGuard.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureBox.h"
#include "ui/ProgressBar.h"
#include "ui/Typefaces.h"
#include "ui/WideButton.h"

namespace {

// Every control of the window in the order of creation, which is also their stacking order.
const QStringList Controls =
    QStringLiteral("BkgImage Label4 lbScore lbTextPraxis redBox paTop Image3 Label1 lbMin lbMax "
                   "cmbAction edMin edMax btStart cmbDicFiles cbReverse prbMistakes edAnswer "
                   "prbCurrent paBottom Image2 lbCount lbTime2 lbAnswers lbTime btHiscore "
                   "edLastName btHistory btImage edNameLastWallpaper cbSound StatusBar btOption1 "
                   "btOption2 btOption3 btOption4")
        .split(u' ');
// What waits for a game, a dictionary or a use of its own.
const QStringList HiddenAtFirstStart =
    QStringLiteral("lbScore redBox cmbDicFiles cbReverse edAnswer edLastName edNameLastWallpaper "
                   "btOption1 btOption2 btOption3 btOption4")
        .split(u' ');

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void windowProperties();
    void creationOrder();
    void fontsAndColours();
    void progressBarsAndTimer();
    void firstStart();
    void centredOnDisplay();
    void tasksAreCentred();
    void guardShowsErrorBox();
};

void MainWindowTest::windowProperties()
{
    AppSandbox sandbox;
    TfmMain window;
    QCOMPARE(window.objectName(), QStringLiteral("fmMain"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tovelo2.1"));
    QCOMPARE(window.size(), QSize(582, 489));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.font().family(), Typeface::Sans);
    QCOMPARE(window.font().pointSize(), 8);
    // The program icon, read only now, in every size it comes in.
    const QIcon icon = window.windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    for (const QSize size : icon.availableSizes())
        QCOMPARE(icon.pixmap(size).toImage().size(), size);
    QVERIFY(sandbox.platform.errors.isEmpty());
}

void MainWindowTest::creationOrder()
{
    AppSandbox sandbox;
    TfmMain window;
    QStringList actual;
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        if (Controls.contains(w->objectName()))
            actual << w->objectName();
    }
    QCOMPARE(actual, Controls);

    const QStringList actions = {QStringLiteral("Сложение"),
                                 QStringLiteral("Вычитание"),
                                 QStringLiteral("Сложение или вычитание"),
                                 QStringLiteral("Умножение"),
                                 QStringLiteral("Деление"),
                                 QStringLiteral("Умножение или деление"),
                                 QStringLiteral("Любое действие"),
                                 QStringLiteral("Иностранный язык")};
    const auto *cmbAction = control<QComboBox>(window, "cmbAction");
    QCOMPARE(cmbAction->count(), actions.size());
    for (int i = 0; i < actions.size(); ++i)
        QCOMPARE(cmbAction->itemText(i), actions[i]);
    QVERIFY(!cmbAction->isEditable());
}

void MainWindowTest::fontsAndColours()
{
    AppSandbox sandbox;
    TfmMain window;
    const QFont task = control(window, "lbTextPraxis")->font();
    QCOMPARE(task.family(), Typeface::Heavy);
    QCOMPARE(task.pointSize(), 36);
    QVERIFY(task.bold());
    const auto *score = control<QLabel>(window, "lbScore");
    QCOMPARE(score->font().pointSize(), 20);
    QCOMPARE(score->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(score->autoFillBackground());
    QCOMPARE(control(window, "edAnswer")->font().pointSize(), 20);
    const QFont star = control(window, "btImage")->font();
    QCOMPARE(star.pointSize(), 12);
    QVERIFY(star.bold());
    for (const char *name : {"btOption1", "btOption2", "btOption3", "btOption4"}) {
        const QFont option = control(window, name)->font();
        QCOMPARE(option.family(), Typeface::Heavy);
        QCOMPARE(option.pointSize(), 11);
        QVERIFY(option.bold());
    }
    // Each label is at least as wide as its text in the typeface at hand.
    for (const AutoSizeLabel *label : window.findChildren<AutoSizeLabel *>())
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    for (const char *name : {"paTop", "paBottom"}) {
        const auto *panel = control<QFrame>(window, name);
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Raised);
        QCOMPARE(panel->lineWidth(), 1);
    }
}

void MainWindowTest::progressBarsAndTimer()
{
    AppSandbox sandbox;
    TfmMain window;
    for (const char *name : {"prbMistakes", "prbCurrent"}) {
        auto *bar = control<ProgressBar>(window, name);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 1000);
        QCOMPARE(bar->position(), 0);
        QVERIFY(!bar->isTextVisible());
        bar->setPosition(1050);
        QCOMPARE(bar->position(), 1000); // capped, not ignored
    }
    const auto *timer = window.findChild<QTimer *>(QStringLiteral("Timer"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 50);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QVERIFY(!timer->isActive());
    const auto *status = control<PanelStatusBar>(window, "StatusBar");
    QCOMPARE(status->panelCount(), 2);
    QCOMPARE(status->panelWidths(), QStringLiteral("200,50"));
    QVERIFY(!status->isSizeGripEnabled());
}

void MainWindowTest::firstStart()
{
    AppSandbox sandbox;
    TfmMain window;
    QCOMPARE(control<QComboBox>(window, "cmbAction")->currentIndex(), -1);
    QCOMPARE(control<QLabel>(window, "lbTextPraxis")->text(), QStringLiteral("H"));
    QVERIFY(!control<QCheckBox>(window, "cbReverse")->isChecked());
    QVERIFY(!control<QCheckBox>(window, "cbSound")->isChecked());
    QCOMPARE(window.session().task().RightAnswer, 0);
    QCOMPARE(window.session().task().Operation, -1);
    QVERIFY(!window.isGameRunning());
    QVERIFY(control<PictureBox>(window, "BkgImage")->hasPicture());
    QVERIFY(control<PictureBox>(window, "Image2")->hasPicture());
    QCOMPARE(control<PictureBox>(window, "BkgImage")->shownPixmap().size(), QSize(582, 382));
    for (const QString &name : Controls) {
        const bool hidden = control(window, qPrintable(name))->isHidden();
        QVERIFY2(hidden == HiddenAtFirstStart.contains(name), qPrintable(name));
    }
    QVERIFY2(sandbox.platform.errors.isEmpty(), qPrintable(sandbox.platform.errors.join(u'\n')));
    QVERIFY(sandbox.platform.messages.isEmpty());
}

void MainWindowTest::centredOnDisplay()
{
    const QRect display(1920, 0, 1280, 1024); // a second screen
    AppSandbox sandbox;
    sandbox.platform.display = display;
    TfmMain window;
    const QSize outer = window.frameGeometry().size();
    QCOMPARE(window.frameGeometry().topLeft(),
             QPoint(display.x() + (display.width() - outer.width()) / 2,
                    display.y() + (display.height() - outer.height()) / 2));
}

void MainWindowTest::tasksAreCentred()
{
    AppSandbox sandbox;
    TfmMain window;
    selectKind(window, ExerciseKind::Addition);
    setRange(window, QStringLiteral("1000000"), QStringLiteral("2000000000"));
    QVERIFY(window.NextTask());
    QCOMPARE(control<QLabel>(window, "lbTextPraxis")->text(), *window.session().caption());
    for (const char *name : {"lbTextPraxis", "lbScore"}) {
        const QWidget *label = control(window, name);
        QCOMPARE(label->x(), (window.frameGeometry().width() - label->width()) / 2);
    }
    // The label grew to its text and keeps its top.
    const QWidget *task = control(window, "lbTextPraxis");
    QVERIFY(task->width() > 200);
    QCOMPARE(task->y(), 136);
}

void MainWindowTest::guardShowsErrorBox()
{
    AppSandbox sandbox;
    bool after = false;
    guarded([&] {
        throw Error(QStringLiteral("Cannot open file SaveRes.res"));
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(sandbox.platform.errors, QStringList{QStringLiteral("Cannot open file SaveRes.res.")});
    QCOMPARE(sandbox.platform.errorTitles, QStringList{QStringLiteral("Tovelo2")});
    guarded([] { throw std::runtime_error("plain failure"); });
    QCOMPARE(sandbox.platform.errors.last(), QStringLiteral("plain failure."));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
