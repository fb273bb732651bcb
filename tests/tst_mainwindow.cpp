// The main window as built from its description, the first start, centring, the task frame
// (NextTask) with its range checks, and the event guard's error box.
#include <QCheckBox>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <set>

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

struct ControlRow {
    const char *name;
    const char *kind;
    const char *parent;
    QRect geometry;
    const char *text;
    bool shownAtFirstStart;
};

// Every control of the window, in the order of creation.
const ControlRow Controls[] = {
    {"BkgImage", "PictureBox", "fmMain", {0, 41, 582, 382}, nullptr, true},
    {"Label4", "AutoSizeLabel", "fmMain", {8, 40, 40, 13}, "Ошибки", true},
    {"lbScore", "AutoSizeLabel", "fmMain", {256, 88, 72, 38}, "--------", false},
    {"lbTextPraxis", "AutoSizeLabel", "fmMain", {254, 136, 40, 68}, "H", true},
    {"redBox", "QFrame", "fmMain", {120, 160, 353, 225}, nullptr, false},
    {"paTop", "QFrame", "fmMain", {0, 0, 582, 41}, nullptr, true},
    {"Image3", "PictureBox", "paTop", {1, 1, 580, 39}, nullptr, true},
    {"Label1", "AutoSizeLabel", "paTop", {8, 12, 50, 13}, "Действие", true},
    {"lbMin", "AutoSizeLabel", "paTop", {248, 20, 13, 13}, "От", true},
    {"lbMax", "AutoSizeLabel", "paTop", {352, 20, 15, 13}, "До", true},
    {"cmbAction", "QComboBox", "paTop", {64, 12, 161, 21}, nullptr, true},
    {"edMin", "QLineEdit", "paTop", {280, 12, 57, 21}, "1", true},
    {"edMax", "QLineEdit", "paTop", {384, 12, 57, 21}, "30", true},
    {"btStart", "QPushButton", "paTop", {488, 8, 75, 25}, "Старт", true},
    {"cmbDicFiles", "QComboBox", "paTop", {240, 0, 193, 21}, nullptr, false},
    {"cbReverse", "QCheckBox", "paTop", {438, 14, 41, 17}, "<->", false},
    {"prbMistakes", "ProgressBar", "fmMain", {8, 56, 553, 25}, nullptr, true},
    {"edAnswer", "QLineEdit", "fmMain", {192, 320, 209, 46}, "", false},
    {"prbCurrent", "ProgressBar", "fmMain", {8, 88, 193, 8}, nullptr, true},
    {"paBottom", "QFrame", "fmMain", {0, 423, 582, 47}, nullptr, true},
    {"Image2", "PictureBox", "paBottom", {1, 1, 580, 45}, nullptr, true},
    {"lbCount", "AutoSizeLabel", "paBottom", {136, 16, 37, 13}, "Кол-во:", true},
    {"lbTime2", "AutoSizeLabel", "paBottom", {224, 16, 73, 13}, "Время ответа:", true},
    {"lbAnswers", "AutoSizeLabel", "paBottom", {184, 16, 3, 13}, "-", true},
    {"lbTime", "AutoSizeLabel", "paBottom", {331, 16, 3, 13}, "-", true},
    {"btHiscore", "QPushButton", "paBottom", {496, 8, 75, 25}, "Рекорды", true},
    {"edLastName", "QLineEdit", "paBottom", {360, 24, 65, 21}, "Player", false},
    {"btHistory", "QPushButton", "paBottom", {8, 8, 75, 25}, "История", true},
    {"btImage", "QPushButton", "paBottom", {416, 4, 25, 25}, "*", true},
    {"edNameLastWallpaper", "QLineEdit", "paBottom", {360, 2, 65, 21}, "", false},
    {"cbSound", "QCheckBox", "paBottom", {416, 29, 49, 17}, "Звук", true},
    {"StatusBar", "PanelStatusBar", "fmMain", {0, 470, 582, 19}, nullptr, true},
    {"btOption1", "WideButton", "fmMain", {64, 240, 209, 51}, "Option1", false},
    {"btOption2", "WideButton", "fmMain", {328, 240, 209, 51}, "Option2", false},
    {"btOption3", "WideButton", "fmMain", {64, 304, 209, 51}, "Option3", false},
    {"btOption4", "WideButton", "fmMain", {328, 304, 209, 51}, "Option4", false},
};

QString textOf(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return {};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void windowProperties();
    void controlsAsDescribed_data();
    void controlsAsDescribed();
    void creationOrder();
    void fontsAndColours();
    void progressBarsAndTimer();
    void firstStart();
    void centredOnDisplay_data();
    void centredOnDisplay();
    void nextTaskPerKind_data();
    void nextTaskPerKind();
    void nextTaskRefusesBadRange_data();
    void nextTaskRefusesBadRange();
    void nextTaskWithoutKindKeepsTask();
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

void MainWindowTest::controlsAsDescribed_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(Controls)); ++i)
        QTest::addRow("%s", Controls[i].name) << i;
}

void MainWindowTest::controlsAsDescribed()
{
    QFETCH(int, row);
    const ControlRow &expected = Controls[row];
    AppSandbox sandbox;
    TfmMain window;
    const QWidget *w = control(window, expected.name);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), QString::fromLatin1(expected.kind));
    QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(expected.parent));
    // The task and the score are centred on the window by every task, the first one included.
    const bool centred = w->objectName() == QLatin1String("lbTextPraxis") ||
                         w->objectName() == QLatin1String("lbScore");
    if (centred)
        QCOMPARE(w->x(), (window.frameGeometry().width() - w->width()) / 2);
    else
        QCOMPARE(w->x(), expected.geometry.x());
    QCOMPARE(w->y(), expected.geometry.y());
    // Labels size themselves to their text once it changes; at start they keep the design size,
    // widened where their text needs more in the typeface at hand.
    const bool label = qobject_cast<const AutoSizeLabel *>(w) != nullptr;
    QCOMPARE(w->height(), expected.geometry.height());
    QCOMPARE(w->width(), label ? std::max(expected.geometry.width(), w->sizeHint().width())
                               : expected.geometry.width());
    if (expected.text)
        QCOMPARE(textOf(w), QString::fromUtf8(expected.text));
    QCOMPARE(!w->isHidden(), expected.shownAtFirstStart);
}

void MainWindowTest::creationOrder()
{
    AppSandbox sandbox;
    TfmMain window;
    QStringList expected;
    for (const ControlRow &row : Controls)
        expected << QString::fromLatin1(row.name);
    QStringList actual;
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        if (expected.contains(w->objectName()))
            actual << w->objectName();
    }
    QCOMPARE(actual, expected);

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
    QVERIFY2(sandbox.platform.errors.isEmpty(), qPrintable(sandbox.platform.errors.join(u'\n')));
    QVERIFY(sandbox.platform.messages.isEmpty());
}

void MainWindowTest::centredOnDisplay_data()
{
    QTest::addColumn<QRect>("display");
    QTest::addRow("full_hd") << QRect(0, 0, 1920, 1080);
    QTest::addRow("smaller_than_window") << QRect(0, 0, 577, 480);
    QTest::addRow("second_screen") << QRect(1920, 0, 1280, 1024);
}

void MainWindowTest::centredOnDisplay()
{
    QFETCH(QRect, display);
    AppSandbox sandbox;
    sandbox.platform.display = display;
    TfmMain window;
    const QSize outer = window.frameGeometry().size();
    QCOMPARE(window.frameGeometry().topLeft(),
             QPoint(display.x() + (display.width() - outer.width()) / 2,
                    display.y() + (display.height() - outer.height()) / 2));
}

void MainWindowTest::nextTaskPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("operations");
    QTest::addRow("addition") << 0 << QList<int>{0};
    QTest::addRow("subtraction") << 1 << QList<int>{1};
    QTest::addRow("addition_or_subtraction") << 2 << QList<int>{0, 1};
    QTest::addRow("multiplication") << 3 << QList<int>{3};
    QTest::addRow("division") << 4 << QList<int>{4};
    QTest::addRow("multiplication_or_division") << 5 << QList<int>{3, 4};
    QTest::addRow("any_operation") << 6 << QList<int>{0, 1, 3, 4};
}

void MainWindowTest::nextTaskPerKind()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, operations);
    AppSandbox sandbox;
    TfmMain window;
    selectKind(window, static_cast<ExerciseKind>(kind));
    QCOMPARE(window.CategoryCode(), kind);
    const QString signs = QStringLiteral("+-?*:");
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        sandbox.platform.advanceSeconds(1);
        QVERIFY(window.NextTask());
        const int op = window.session().task().Operation;
        QVERIFY2(operations.contains(op), qPrintable(QString::number(op)));
        QCOMPARE(window.session().task().TaskStart, sandbox.platform.clock);
        QVERIFY(control<QLabel>(window, "lbTextPraxis")->text().contains(signs[op]));
        seen.insert(op);
    }
    // Each operation of a mixed kind comes up.
    QCOMPARE(int(seen.size()), operations.size());
}

void MainWindowTest::nextTaskRefusesBadRange_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");
    QTest::addColumn<bool>("accepted");
    QTest::addRow("letters") << 0 << "abc"
                             << "30" << false;
    QTest::addRow("empty_max") << 0 << "1"
                               << "" << false;
    QTest::addRow("trailing_blank") << 0 << "5 "
                                    << "30" << false;
    QTest::addRow("leading_blank_and_plus") << 0 << " 5"
                                            << "+30" << true;
    QTest::addRow("hex") << 0 << "$1"
                         << "0x1E" << true;
    QTest::addRow("addition_from_zero") << 0 << "0"
                                        << "30" << false;
    QTest::addRow("subtraction_reversed") << 1 << "30"
                                          << "1" << false;
    QTest::addRow("multiplication_from_zero") << 3 << "0"
                                              << "10" << true;
    QTest::addRow("division_negative") << 4 << "-4"
                                       << "10" << false;
    QTest::addRow("mixed_any_needs_one") << 6 << "0"
                                         << "10" << false;
    QTest::addRow("mixed_mul_div_from_zero") << 5 << "0"
                                             << "10" << true;
    QTest::addRow("foreign_language_letters") << 7 << "1"
                                              << "x" << false;
    QTest::addRow("foreign_language_any_integers") << 7 << "30"
                                                   << "1" << true;
}

void MainWindowTest::nextTaskRefusesBadRange()
{
    QFETCH(int, kind);
    QFETCH(QString, minText);
    QFETCH(QString, maxText);
    QFETCH(bool, accepted);
    AppSandbox sandbox;
    TfmMain window;
    selectKind(window, static_cast<ExerciseKind>(kind));
    QVERIFY(window.NextTask());
    const TaskState before = window.session().task();
    const QString caption = control<QLabel>(window, "lbTextPraxis")->text();

    setRange(window, minText, maxText);
    sandbox.platform.advanceSeconds(5);
    QCOMPARE(window.NextTask(), accepted);
    if (accepted) {
        QVERIFY(sandbox.platform.messages.isEmpty());
        return;
    }
    QCOMPARE(
        sandbox.platform.messages,
        QStringList{QStringLiteral("Неверно заданы параметры от скольки и до скольки примеры.")});
    QCOMPARE(control<QLabel>(window, "lbTextPraxis")->text(), caption);
    QCOMPARE(window.session().task().Operation, before.Operation);
    QCOMPARE(window.session().task().RightAnswer, before.RightAnswer);
    QCOMPARE(window.session().task().TaskStart, before.TaskStart);
}

void MainWindowTest::nextTaskWithoutKindKeepsTask()
{
    AppSandbox sandbox;
    TfmMain window;
    QVERIFY(window.NextTask());
    QCOMPARE(window.session().task().Operation, -1);
    QCOMPARE(control<QLabel>(window, "lbTextPraxis")->text(), QStringLiteral("H"));
}

void MainWindowTest::tasksAreCentred()
{
    AppSandbox sandbox;
    TfmMain window;
    selectKind(window, ExerciseKind::Addition);
    setRange(window, QStringLiteral("1000000"), QStringLiteral("2000000000"));
    QVERIFY(window.NextTask());
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
