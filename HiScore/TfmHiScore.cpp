#include "HiScore/TfmHiScore.h"

#include <QLabel>

#include "ui/Centring.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/Resources.h"
#include "ui_fmHiScore.h"

namespace {
const QString WallpaperResource = QStringLiteral(":/pictures/hiscore.jpg");
}

TfmHiScore::TfmHiScore(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfmHiScore>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    registerBuiltInPictures();
    ui->imgWallpapper->setPicture(loadJpeg(WallpaperResource, ui->imgWallpapper->size()));
    FormCreate();
}

TfmHiScore::~TfmHiScore() = default;

void TfmHiScore::FormCreate() {
    move(centredPosition(frameGeometry().size(), platform().displayGeometry()));
}

QLabel *TfmHiScore::AddLabel(const QString &text, int x, int y) {
    auto *label = new QLabel(this);
    label->setText(text);
    label->adjustSize();
    label->move(x, y);
    label->show();
    return label;
}

void TfmHiScore::clear() {
    const QObjectList owned = children(); // a copy: deleting changes the list
    for (QObject *child : owned) {
        if (child != ui->imgWallpapper && child->isWidgetType())
            delete child;
    }
}

void TfmHiScore::ShowRecords(const std::vector<OneHiScore *> &, const RecordsHeading &) {
    clear();
    setWindowTitle(QStringLiteral("Рекорды"));
}

void TfmHiScore::ShowHistory(const std::deque<OneHistory> &) {
    clear();
    setWindowTitle(QStringLiteral("История"));
}
