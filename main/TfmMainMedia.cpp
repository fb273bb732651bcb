#include "main/TfmMain.h"

#include "ui_fmMain.h"

void TfmMain::ScanBadSounds() {}
void TfmMain::PlayBadSound(quint8) {}

QString TfmMain::PickWallpaper(const QString &) {
    return {};
}

void TfmMain::btImageClick() {}
