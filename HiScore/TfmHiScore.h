// SPDX-License-Identifier: GPL-3.0-or-later
// The records and history window: a set of plain labels at fixed positions over a wallpaper,
// filled anew by ShowRecords (the first places of one category, sorted by score) or ShowHistory
// (the newest games) before each modal show. Everything past the client area is simply cut off.
#pragma once

#include <QDialog>

#include <deque>
#include <memory>
#include <vector>

#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"

class QImage;
class QLabel;
class QLocale;

namespace Ui {
class TfmHiScore;
}

// What the summary line says of the category shown, taken from the main window's controls.
struct RecordsHeading {
    QString action;         // text of cmbAction
    bool foreign = false;   // the foreign-language kind
    QString dictionaryFile; // text of cmbDicFiles
    bool reversed = false;  // cbReverse
};

class TfmHiScore : public QDialog {
    Q_OBJECT

public:
    explicit TfmHiScore(QWidget *parent = nullptr);
    ~TfmHiScore() override;

    // The game whose name is shown in red.
    qint32 HighlightScore = 0;
    TDateTime HighlightDate = 0;

    QLabel *AddLabel(const QString &text, int x, int y);
    void ShowRecords(const std::vector<OneHiScore *> &list, const RecordsHeading &heading);
    void ShowHistory(const std::deque<OneHistory> &list);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void placeOnDisplay();
    // The wallpaper is decoded when the window is first filled or shown: a run that never
    // opens the window never pays for it.
    void showWallpaper();
    // Removes every label of the last fill; the wallpaper stays.
    void clear();
    void addRecordsRow(const OneHiScore &entry, std::size_t place, const QLocale &locale);

    std::unique_ptr<Ui::TfmHiScore> ui;
    bool m_wallpaperShown = false;
};
