// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/TfmMain.h"

#include <QKeyEvent>

#include "ExecStat/ExecStat.h"
#include "main/rules/UnwritableFiles.h"
#include "rules/Error.h"
#include "ui/AutoSizeLabel.h"
#include "ui/DataLocations.h"
#include "ui/ErrorBox.h"
#include "ui/EventGuard.h"
#include "ui/FrameArrival.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/PopupComboBox.h"
#include "ui/QuitSignals.h"
#include "ui/Resources.h"
#include "ui/rules/Centring.h"
#include "ui_fmMain.h"

namespace {

constexpr int TimerIntervalMs = 50;
const QString SettingsSection = QStringLiteral("SaveStat");
const QString BackgroundResource = QStringLiteral(":/pictures/background.jpg");
const QString StripResource = QStringLiteral(":/pictures/strip.png");

void showErrorBoxes(const QStringList &errors)
{
    for (const QString &error : errors)
        showErrorBox(error);
}

} // namespace

TfmMain::TfmMain(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TfmMain>())
    , m_timer(this)
{
    registerBuiltInPictures();
    ui->setupUi(this);
    AutoSizeLabel::widenToText(*this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    // The bars show the game's figures on the game's own scale.
    ui->prbCurrent->setMaximum(DrillGame::BarMaximum);
    ui->prbMistakes->setMaximum(DrillGame::BarMaximum);
    QPalette red = ui->redBox->palette();
    red.setColor(QPalette::Window, Qt::red);
    ui->redBox->setPalette(red);

    guarded([this] {
        ui->BkgImage->setPicture(loadStretchedJpeg(BackgroundResource, ui->BkgImage->size()));
    });
    const QImage strip(StripResource);
    ui->Image2->setPicture(strip);
    ui->Image3->setPicture(strip);

    m_timer.setObjectName(QStringLiteral("Timer"));
    m_timer.setInterval(TimerIntervalMs);
    m_timer.setTimerType(Qt::PreciseTimer);

    connectHandlers();
    // The task is centred on the outer width too: the first one was made before the frame.
    new FrameArrival(*this, [this] {
        centreOnDisplay();
        centreHorizontally(*ui->lbTextPraxis);
        centreHorizontally(*ui->lbScore);
    });
    FormCreate();
}

TfmMain::~TfmMain()
{
    FormDestroy();
}

void TfmMain::connectHandlers()
{
    connect(ui->btStart, &QPushButton::clicked, this,
            [this] { guarded([this] { btStartClick(); }); });
    connect(&m_timer, &QTimer::timeout, this, [this] { guarded([this] { TimerTimer(); }); });
    // activated is raised by the user's choice only, not when the index is set in code.
    connect(ui->cmbAction, &QComboBox::activated, this,
            [this] { guarded([this] { cmbActionChange(); }); });
    connect(ui->cmbDicFiles, &PopupComboBox::popupAboutToShow, this,
            [this] { guarded([this] { cmbDicFilesDropDown(); }); });
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

DrillSettings TfmMain::settings() const
{
    return {exerciseKind(),    ui->cmbAction->currentText(),   ui->edMin->text(),
            ui->edMax->text(), ui->cmbDicFiles->currentText(), ui->cbReverse->isChecked()};
}

qint32 TfmMain::CategoryCode() const
{
    return categoryCodeOf(settings());
}

// Each step runs on its own: an error is shown and the next step still runs, so the window
// always opens usable.
void TfmMain::FormCreate()
{
    guarded([] { prepareDataFolders(dataLocations()); });
    guarded([this] { LoadFormState(*this, settingsFilePath(SettingsFileName), SettingsSection); });
    guarded([this] { centreOnDisplay(); });
    guarded([this] {
        showErrorBoxes(
            m_records.load(resultFilePath(RecordsFileName), resultFilePath(HistoryFileName)));
    });
    guarded([this] {
        const QString warning = unwritableFilesWarning({
            {resultFilePath(RecordsFileName), QStringLiteral("рекорды")},
            {resultFilePath(HistoryFileName), QStringLiteral("историю игр")},
            {settingsFilePath(SettingsFileName), QStringLiteral("настройки")},
        });
        if (!warning.isEmpty())
            throw Error(warning);
    });
    guarded([this] { m_session.seed(platform().randomSeed()); });
    guarded([this] { NextTask(); });
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
    collectingErrors(errors, [this] {
        if (!isGameRunning())
            return;
        m_session.stop(platform().now());
        StoreGameResult(RecordsBook::ClosedGameName);
    });
    errors << m_records.save();
    // A quit during the start-up may come before the settings were read whole: none are lost.
    if (!isQuitBeforeMainLoop())
        collectingErrors(errors, [this] {
            SaveFormState(*this, settingsFilePath(SettingsFileName), SettingsSection);
        });
    enterShutDown();
    showErrorBoxes(errors);
}

void TfmMain::centreOnDisplay()
{
    move(centredPosition(frameGeometry().size(), platform().displayGeometry()));
}

void TfmMain::centreHorizontally(QWidget &control) const
{
    control.move((frameGeometry().width() - control.width()) / 2, control.y());
}
