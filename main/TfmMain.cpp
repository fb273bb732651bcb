#include "main/TfmMain.h"

#include <QKeyEvent>

#include "ExecStat/ExecStat.h"
#include "main/EntriesLoad.h"
#include "ui/BackgroundTask.h"
#include "ui/Centring.h"
#include "ui/DataLocations.h"
#include "ui/EventGuard.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/Resources.h"
#include "ui_fmMain.h"

// The pictures that the window description holds, decoded at the size they are shown.
struct BuiltInPictures {
    QImage background;
    QImage strip;
};

namespace {

constexpr int TimerIntervalMs = 50;
const QString SettingsFileName = QStringLiteral("SaveStat.ini");
const QString SettingsSection = QStringLiteral("SaveStat");
const QString RecordsFileName = QStringLiteral("SaveRes.res");
const QString HistoryFileName = QStringLiteral("SaveRes.hst");
const QString BackgroundResource = QStringLiteral(":/pictures/background.jpg");
const QString StripResource = QStringLiteral(":/pictures/strip.png");
// Where the window description places BkgImage: its picture is decoded for this box before
// the window is built. A box of another size would scale the picture once more.
constexpr QSize BackgroundBox(582, 382);

BuiltInPictures decodeBuiltInPictures()
{
    return {loadStretchedJpeg(BackgroundResource, BackgroundBox), QImage(StripResource)};
}

} // namespace

TfmMain::TfmMain(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TfmMain>())
    , m_timer(this)
{
    // Decoding the built-in pictures takes about as long as building the controls: both go on
    // at once.
    registerBuiltInPictures();
    BackgroundTask<BuiltInPictures> pictures(decodeBuiltInPictures);
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_timer.setObjectName(QStringLiteral("Timer"));
    m_timer.setInterval(TimerIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);

    showBuiltInPictures(pictures);
    connectHandlers();
    FormCreate();
}

TfmMain::~TfmMain()
{
    FormDestroy();
}

void TfmMain::showBuiltInPictures(BackgroundTask<BuiltInPictures> &pictures)
{
    guarded([&] {
        BuiltInPictures decoded = pictures.take();
        ui->BkgImage->setPicture(std::move(decoded.background));
        ui->Image2->setPicture(decoded.strip);
        ui->Image3->setPicture(std::move(decoded.strip));
    });
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
    guarded([this] { LoadFormState(*this, settingsFilePath(SettingsFileName), SettingsSection); });
    guarded([this] { centreOnDisplay(); });
    guarded([this] { LoadRecords(resultFilePath(RecordsFileName)); });
    guarded([this] { LoadHistory(resultFilePath(HistoryFileName)); });
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
// the records and the history of the run.
void TfmMain::FormDestroy()
{
    guarded([this] { storeRunningGame(); });
    guarded([this] { SaveFormState(*this, settingsFilePath(SettingsFileName), SettingsSection); });
    guarded([this] { SaveRecords(resultFilePath(RecordsFileName)); });
    guarded([this] { SaveHistory(resultFilePath(HistoryFileName)); });
    CategoryRecords.clear();
}

void TfmMain::centreOnDisplay()
{
    move(centredPosition(frameGeometry().size(), platform().displayGeometry()));
}
