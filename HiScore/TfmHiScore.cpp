// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiScore/TfmHiScore.h"

#include <QAction>
#include <QColor>
#include <QLabel>
#include <QLocale>
#include <QPalette>

#include <algorithm>
#include <span>

#include "main/rules/CategoryRanking.h"
#include "main/rules/ResultTexts.h"
#include "ui/EventGuard.h"
#include "ui/FrameArrival.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/ProgressModule.h"
#include "ui/Resources.h"
#include "ui/rules/Centring.h"
#include "ui_fmHiScore.h"

namespace {

const QString WallpaperResource = QStringLiteral(":/pictures/hiscore.jpg");
const QString RecordsCaption = QStringLiteral("Рекорды");
const QString HistoryCaption = QStringLiteral("История");

struct Column {
    int x;
    const char16_t *header;
};

constexpr int RecordsHeaderTop = 80;
constexpr int RecordsRowTop = 100;
constexpr int RecordsRowHeight = 20;
constexpr Column RecordsHeaders[] = {
    {5, u"Место"},   {45, u"Имя"},      {120, u"Очков"},    {165, u"Дата"},
    {275, u"Время"}, {320, u"Ответов"}, {370, u"Ср.ответ"}, {430, u"Ошибок"},
};
// The left edge of each text of a row, in the order of recordsRowTexts.
constexpr int RecordsColumns[] = {10, 40, 140, 165, 275, 320, 370, 430};
constexpr std::size_t NameColumn = 1;

constexpr QPoint ActionAt{20, 20};
constexpr QPoint CategoryAt{220, 20};
constexpr QPoint GamesAt{20, 40};
constexpr QPoint AverageScoreAt{120, 40};
const QString ReversedMark = QStringLiteral("<-->");
const QColor HighlightColour(255, 0, 0);
const QString ProgressActionText = QStringLiteral("Успехи…");
// U for «Успехи»; the window has no other shortcut.
const QKeySequence ProgressShortcut(Qt::CTRL | Qt::Key_U);

constexpr int HistoryHeaderTop = 20;
constexpr int HistoryRowTop = 35;
constexpr int HistoryRowHeight = 15;
constexpr std::size_t HistoryRows = 50;
constexpr Column HistoryHeaders[] = {
    {10, u"История"},
    {60, u"Очков"},
    {100, u"Дата"},
    {220, u"Время"},
};
// In the order of historyRowTexts.
constexpr int HistoryColumns[] = {20, 60, 100, 220, 270};

QString categoryText(const OneHiScore &first, const RecordsHeading &heading)
{
    if (heading.foreign)
        return QStringLiteral("Категория:") + heading.dictionaryFile +
               (heading.reversed ? ReversedMark : QString());
    return QStringLiteral("Категория: от %1 до %2").arg(first.MinValue).arg(first.MaxValue);
}

void addHeaders(TfmHiScore &window, std::span<const Column> columns, int y)
{
    for (const Column &column : columns)
        window.AddLabel(QString::fromUtf16(column.header), column.x, y);
}

} // namespace

TfmHiScore::TfmHiScore(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfmHiScore>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    FormCreate();
}

TfmHiScore::~TfmHiScore() = default;

void TfmHiScore::FormCreate()
{
    placeOnDisplay();
    new FrameArrival(*this, [this] { placeOnDisplay(); });

    auto *progress = new QAction(ProgressActionText, this);
    progress->setObjectName(QStringLiteral("actProgress"));
    progress->setShortcut(ProgressShortcut);
    connect(progress, &QAction::triggered, this,
            [this] { guarded([this] { openProgressWindow(QString(), this); }); });
    addAction(progress);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfmHiScore::placeOnDisplay()
{
    move(centredPosition(frameGeometry().size(), platform().displayGeometry(),
                         platform().availableGeometry()));
}

QLabel *TfmHiScore::AddLabel(const QString &text, int x, int y)
{
    auto *label = new QLabel(this);
    // Names come from a file the user can edit: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->adjustSize();
    label->move(x, y);
    label->show();
    return label;
}

void TfmHiScore::showWallpaper()
{
    if (m_wallpaperShown)
        return;
    m_wallpaperShown = true;
    registerBuiltInPictures();
    // A picture that cannot be shown is reported; the window still serves without it.
    guarded([this] {
        ui->imgWallpapper->setPicture(
            loadStretchedJpeg(WallpaperResource, ui->imgWallpapper->size()));
    });
}

void TfmHiScore::showEvent(QShowEvent *event)
{
    showWallpaper();
    QDialog::showEvent(event);
}

void TfmHiScore::clear()
{
    showWallpaper();
    const QObjectList owned = children(); // a copy: deleting changes the list
    for (QObject *child : owned) {
        // The progress window opened over this one is a window of its own, not a label.
        if (child != ui->imgWallpapper && child->isWidgetType() &&
            !static_cast<QWidget *>(child)->isWindow())
            delete child;
    }
}

void TfmHiScore::ShowRecords(const std::vector<OneHiScore *> &list, const RecordsHeading &heading)
{
    clear();
    setWindowTitle(RecordsCaption);
    if (list.empty())
        return;

    addHeaders(*this, RecordsHeaders, RecordsHeaderTop);
    const QLocale locale;
    qint64 scoreSum = 0; // 64 bits: many games of high scores must not overflow
    for (std::size_t i = 0; i < list.size(); ++i) {
        const OneHiScore &entry = *list[i];
        scoreSum += entry.Score;
        if (i < RankedPlaces)
            addRecordsRow(entry, i, locale);
    }

    const auto count = qint64(list.size());
    AddLabel(QStringLiteral("Действие : ") + heading.action, ActionAt.x(), ActionAt.y());
    AddLabel(categoryText(*list.front(), heading), CategoryAt.x(), CategoryAt.y());
    AddLabel(QStringLiteral("Всего игр: %1").arg(count), GamesAt.x(), GamesAt.y());
    AddLabel(QStringLiteral("Средний балл: %1").arg(scoreSum / count), AverageScoreAt.x(),
             AverageScoreAt.y());
}

void TfmHiScore::addRecordsRow(const OneHiScore &entry, std::size_t place, const QLocale &locale)
{
    const int y = RecordsRowTop + RecordsRowHeight * int(place);
    const QStringList texts = recordsRowTexts(entry, place + 1, locale);
    for (std::size_t column = 0; column < std::size(RecordsColumns); ++column) {
        QLabel *label = AddLabel(texts[qsizetype(column)], RecordsColumns[column], y);
        // The very game that was just ranked: same score and bit-for-bit the same end.
        if (column == NameColumn && entry.Score == HighlightScore && entry.Date == HighlightDate) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, HighlightColour);
            label->setPalette(palette);
        }
    }
}

void TfmHiScore::ShowHistory(const std::deque<OneHistory> &list)
{
    clear();
    setWindowTitle(HistoryCaption);
    if (list.empty())
        return;

    addHeaders(*this, HistoryHeaders, HistoryHeaderTop);
    const QLocale locale;
    const std::size_t rows = std::min(list.size(), HistoryRows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t position = list.size() - 1 - row; // newest first
        const int y = HistoryRowTop + HistoryRowHeight * int(row);
        const QStringList texts = historyRowTexts(list[position], position + 1, locale);
        for (std::size_t column = 0; column < std::size(HistoryColumns); ++column)
            AddLabel(texts[qsizetype(column)], HistoryColumns[column], y);
    }
}
