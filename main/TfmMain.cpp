#include "main/TfmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QShowEvent>

#include <array>

#include "ExecStat/ExecStat.h"
#include "rules/Error.h"
#include "rules/FileReplace.h"
#include "ui/AutoSizeLabel.h"
#include "ui/BackgroundTask.h"
#include "ui/DataLocations.h"
#include "ui/ErrorBox.h"
#include "ui/EventGuard.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/QuitSignals.h"
#include "ui/Resources.h"
#include "ui/rules/Centring.h"
#include "ui_fmMain.h"

namespace {

constexpr int TimerIntervalMs = 50;
const QString SettingsSection = QStringLiteral("SaveStat");
const QString RecordsFileName = QStringLiteral("SaveRes.res");
const QString HistoryFileName = QStringLiteral("SaveRes.hst");
const QString BackgroundResource = QStringLiteral(":/pictures/background.jpg");
const QString StripResource = QStringLiteral(":/pictures/strip.png");
// Where the window description places BkgImage: its picture is decoded for this box before the
// window is built.
constexpr QSize BackgroundBox(582, 382);

struct KeptFile {
    QString path;
    QString what; // what is lost when it cannot be written
};

} // namespace

TfmMain::TfmMain(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TfmMain>())
    , m_timer(this)
{
    // The one worker thread of the program: decoding the 1920 x 1200 background takes about as
    // long as building the controls, and the window misses its start-up target when the two
    // run one after the other (the benchmark's first figure).
    registerBuiltInPictures();
    BackgroundTask<QImage> background(
        [] { return loadStretchedJpeg(BackgroundResource, BackgroundBox); });
    ui->setupUi(this);
    AutoSizeLabel::widenToText(*this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    // The bars show the game's figures on the game's own scale.
    ui->prbCurrent->setMaximum(DrillGame::BarMaximum);
    ui->prbMistakes->setMaximum(DrillGame::BarMaximum);

    m_timer.setObjectName(QStringLiteral("Timer"));
    m_timer.setInterval(TimerIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);

    showBuiltInPictures(background);
    connectHandlers();
    FormCreate();
}

TfmMain::~TfmMain()
{
    FormDestroy();
}

// The pictures that the window description holds, decoded at the size they are shown.
void TfmMain::showBuiltInPictures(BackgroundTask<QImage> &background)
{
    guarded([&] { ui->BkgImage->setPicture(background.take()); });
    const QImage strip(StripResource);
    ui->Image2->setPicture(strip);
    ui->Image3->setPicture(strip);
}

void TfmMain::connectHandlers()
{
    connect(ui->btStart, &QPushButton::clicked, this,
            [this] { guarded([this] { btStartClick(); }); });
    connect(&m_timer, &QTimer::timeout, this, [this] { guarded([this] { TimerTimer(); }); });
    // activated is raised by the user's choice only, not when the index is set in code.
    connect(ui->cmbAction, &QComboBox::activated, this,
            [this] { guarded([this] { cmbActionChange(); }); });
    connect(ui->btHiscore, &QPushButton::clicked, this,
            [this] { guarded([this] { btHiscoreClick(); }); });
    connect(ui->btHistory, &QPushButton::clicked, this,
            [this] { guarded([this] { btHistoryClick(); }); });
    connect(ui->btImage, &QPushButton::clicked, this,
            [this] { guarded([this] { btImageClick(); }); });
    for (WideButton *button : {ui->btOption1, ui->btOption2, ui->btOption3, ui->btOption4}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { guarded([this, button] { btOptionClick(button); }); });
    }
    ui->edAnswer->installEventFilter(this);
}

bool TfmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->edAnswer && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        bool handled = false;
        guarded([&] { handled = edAnswerKeyDown(key->key()); });
        return handled;
    }
    return QWidget::eventFilter(watched, event);
}

ExerciseKind TfmMain::exerciseKind() const
{
    return static_cast<ExerciseKind>(ui->cmbAction->currentIndex());
}

// Each step runs on its own: an error is shown and the next step still runs, so the window
// always opens usable.
void TfmMain::FormCreate()
{
    guarded([] { prepareDataFolders(dataLocations()); });
    guarded([this] { LoadFormState(*this, settingsFilePath(SettingsFileName), SettingsSection); });
    guarded([this] { centreOnDisplay(); });
    guarded([this] { LoadRecords(resultFilePath(RecordsFileName)); });
    guarded([this] { LoadHistory(resultFilePath(HistoryFileName)); });
    guarded([this] { warnOfUnwritableFiles(); });
    guarded([this] { m_random.seed(platform().randomSeed()); });
    guarded([this] { NextTask(); });
    CategoryRecords.clear();
    guarded([this] { cmbActionChange(); });
    guarded([this] {
        if (!ui->edNameLastWallpaper->text().isEmpty())
            PickWallpaper(ui->edNameLastWallpaper->text());
    });
    guarded([this] { ScanBadSounds(); });
}

// The steps run independently too: settings that cannot be written must not cost the player
// the records and the history of the run. Every file is saved before any error is shown, so
// that a logout, which ends the program at the next signal, finds nothing left to lose.
void TfmMain::FormDestroy()
{
    QStringList errors;
    collectingErrors(errors, [this] { storeRunningGame(); });
    collectingErrors(errors, [this] { SaveRecords(resultFilePath(RecordsFileName)); });
    collectingErrors(errors, [this] { SaveHistory(resultFilePath(HistoryFileName)); });
    collectingErrors(errors, [this] {
        SaveFormState(*this, settingsFilePath(SettingsFileName), SettingsSection);
    });
    CategoryRecords.clear();
    enterShutDown();
    for (const QString &error : std::as_const(errors))
        showErrorBox(error);
}

// Games are saved only at exit: a folder where the files cannot be written is named before the
// child plays, not after a whole session.
void TfmMain::warnOfUnwritableFiles() const
{
    const std::array<KeptFile, 3> kept = {{
        {resultFilePath(RecordsFileName), QStringLiteral("рекорды")},
        {resultFilePath(HistoryFileName), QStringLiteral("историю игр")},
        {settingsFilePath(SettingsFileName), QStringLiteral("настройки")},
    }};
    QStringList lost;
    QStringList folders;
    for (const KeptFile &file : kept) {
        if (canWriteFile(file.path))
            continue;
        lost << file.what;
        const QString folder = QDir::toNativeSeparators(QFileInfo(file.path).absolutePath());
        if (!folders.contains(folder))
            folders << folder;
    }
    if (lost.isEmpty())
        return;
    const QString last = lost.takeLast();
    const QString what =
        lost.isEmpty() ? last : lost.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
    throw Error(QStringLiteral("Программа не сможет сохранить %1: в папку %2 нельзя записывать. "
                               "Попросите взрослого разрешить запись в эту папку.")
                    .arg(what, folders.join(QStringLiteral(", "))));
}

void TfmMain::centreOnDisplay()
{
    move(centredPosition(frameGeometry().size(), platform().displayGeometry()));
}

void TfmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && frameGeometry().size() == size())
        m_awaitingFrame = true;
}

void TfmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!m_awaitingFrame || frameGeometry().size() == size())
        return;
    m_awaitingFrame = false;
    guarded([this] { centreOnDisplay(); });
    // Tasks are centred on the outer width: the first one was made before there was a frame.
    centreHorizontally(*ui->lbTextPraxis);
    centreHorizontally(*ui->lbScore);
}
