// SPDX-License-Identifier: GPL-3.0-or-later
// The main window. Its controls come from fmMain.ui beside it and its handlers are named after the
// control and the event. The drill itself is a DrillSession and the records a RecordsBook: the
// handlers pass the events in and show what those then hold (refreshControls). The class is
// split over several sources by concern:
//   TfmMain.cpp           construction, start-up (FormCreate) and shut-down (FormDestroy)
//   TfmMainGame.cpp       the exercise kind, the start, answers, the clock, the end of a game
//   TfmMainRecords.cpp    storing a game, ranking with the name prompt, the two buttons
//   TfmMainMedia.cpp      wallpapers and wrong-answer sounds
// Side effects that tests control (clock, pause, modal boxes, sound, random seed) go through
// platform() (ui/Platform.h).
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

#include "main/rules/DrillSession.h"
#include "main/rules/RecordsBook.h"

class TfmHiScore;
class WideButton;

namespace Ui {
class TfmMain;
}

class TfmMain : public QWidget {
    Q_OBJECT

public:
    // Builds every control and runs FormCreate.
    explicit TfmMain(QWidget *parent = nullptr);
    // Runs FormDestroy while every control still holds its value.
    ~TfmMain() override;

    void setRecordsWindow(TfmHiScore *window) { m_recordsWindow = window; }

    // Event handlers, public so that tests can drive them the way the events do.
    void btStartClick();
    // Returns true when the key was handled and must not reach the box.
    bool edAnswerKeyDown(int key);
    void TimerTimer();
    void cmbActionChange();
    // The list's popup is about to open.
    void cmbDicFilesDropDown();
    void btOptionClick(WideButton *sender);
    void btHiscoreClick();
    void btHistoryClick();
    void btImageClick();

    bool NextTask();
    qint32 CategoryCode() const;
    bool RankRecords();
    QString PickWallpaper(const QString &name);
    void PlayBadSound(quint8 kind);

    bool isGameRunning() const { return m_session.isRunning(); }
    ExerciseKind exerciseKind() const;
    const DrillSession &session() const { return m_session; }
    // Both read the files when first needed.
    const std::deque<OneHiScore> &records();
    const std::deque<OneHistory> &history();
    const std::vector<OneHiScore *> &categoryRecords() const { return m_records.categoryRecords(); }
    const QStringList &badSounds() const { return BadSounds; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Keys 1 to 4 click the option buttons while a dictionary game runs.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    void centreOnDisplay();
    void centreHorizontally(QWidget &control) const;

    DrillSettings settings() const;
    void LoadDictionary();
    void appendWordLists();
    // Shows what the session holds; the task only when a new one was made.
    void refreshControls();
    void showTask();
    // After an answer or a tick: the window shows it, and a game that ended with it ends here.
    void showGameEvent(bool wasRunning);
    void endGame();

    void readResults();
    void StoreGameResult(const QString &name);
    void showRecordsWindow();

    void ScanBadSounds();

    std::unique_ptr<Ui::TfmMain> ui;
    QTimer m_timer;
    TfmHiScore *m_recordsWindow = nullptr;

    DrillSession m_session;
    quint64 m_shownTask = 0;
    // The list holds the own dictionaries only; the word lists come when it is opened.
    bool m_wordListsPending = false;
    RecordsBook m_records;
    QStringList BadSounds;
};
