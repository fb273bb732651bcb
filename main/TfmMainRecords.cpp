#include "main/TfmMain.h"

#include "ui_fmMain.h"

void TfmMain::LoadRecords(const QString &) {}
void TfmMain::LoadHistory(const QString &) {}
void TfmMain::SaveRecords(const QString &) {}
void TfmMain::SaveHistory(const QString &) {}
void TfmMain::StoreGameResult() {}
void TfmMain::storeRunningGame() {}

bool TfmMain::RankRecords() {
    return false;
}

void TfmMain::showRecordsWindow() {}
void TfmMain::btHiscoreClick() {}
void TfmMain::btHistoryClick() {}
