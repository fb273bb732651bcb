// The main window: the drill itself. Its controls come from ui/fmMain.ui; its handlers are
// named after the control and the event. The class is split over several sources by concern:
//   TfmMain.cpp           construction, start-up (FormCreate) and shut-down (FormDestroy)
//   TfmMainTasks.cpp      the task frame (NextTask), arithmetic tasks, category codes
//   TfmMainGame.cpp       start, typed answers, the clock, mistakes, score, end of a game
//   TfmMainDictionary.cpp the vocabulary drill and its option buttons
//   TfmMainRecords.cpp    records and history: files, storing a game, ranking, the two buttons
//   TfmMainMedia.cpp      wallpapers and wrong-answer sounds
// Side effects that tests control (clock, pause, modal boxes, sound, random seed) go through
// platform() (ui/Platform.h).
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <memory>
#include <vector>

#include "main/rules/DictionaryTask.h"
#include "main/rules/DrillGame.h"
#include "main/rules/DrillState.h"
#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"
#include "main/rules/ResultStore.h"
#include "rules/RandomGenerator.h"

template<typename Result> class BackgroundTask;
class AutoSizeLabel;
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
    void btOptionClick(WideButton *sender);
    void btHiscoreClick();
    void btHistoryClick();
    void btImageClick();

    bool NextTask();
    qint32 CategoryCode() const;
    bool PlaceOption(const QString &text);
    AutoSizeLabel *AddRightAnswerLabel(const QString &text, int x, int y);
    void LoadDictionary();
    bool RankRecords();
    QString PickWallpaper(const QString &name);
    void PlayBadSound(quint8 kind);

    bool isGameRunning() const { return m_timer.isActive(); }
    ExerciseKind exerciseKind() const;

    const TaskState &task() const { return m_task; }
    const GameState &game() const { return m_drill.state(); }
    const DictionaryState &dictionary() const { return m_dictionary; }
    // Both read the files when first needed.
    const std::deque<OneHiScore> &records();
    const std::deque<OneHistory> &history();
    const std::vector<OneHiScore *> &categoryRecords() const { return CategoryRecords; }
    const QStringList &badSounds() const { return BadSounds; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The first move after the window is shown brings the window manager's frame: the window
    // is centred once more with it.
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    // Keys 1 to 4 click the option buttons while a dictionary game runs.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showBuiltInPictures(BackgroundTask<QImage> &background);
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    void centreOnDisplay();

    // Tasks
    qint32 Random(qint32 n) { return m_random.next(n); }
    bool rangeSuitsKind(qint32 minValue, qint32 maxValue) const;
    void makeArithmeticTask();
    void centreHorizontally(QWidget &control) const;

    // Game
    void rightAnswerSteps();
    void wrongAnswerSteps();
    void AddMistakes(qint32 n);
    void AddScore(qint32 n);
    void endGame();
    void setAnswerInputs(bool typed, bool options);

    // Dictionary drill
    void makeDictionaryTask();
    void showOptions(const OptionTexts &options);
    std::vector<WideButton *> optionButtons() const;
    std::vector<AutoSizeLabel *> rightAnswerLabels() const;
    void removeRightAnswerLabels();
    void showRightAnswerLabels();
    void addFailedTaskLabel();

    // Records and history
    // Both check the file at once; readResults() reads them when their entries are first
    // needed.
    void LoadRecords(const QString &fileName);
    void LoadHistory(const QString &fileName);
    void readResults();
    void SaveRecords(const QString &fileName);
    void SaveHistory(const QString &fileName);
    void StoreGameResult();
    void storeRunningGame();
    void showRecordsWindow();
    void warnOfUnwritableFiles() const;

    // Media
    void ScanBadSounds();

    std::unique_ptr<Ui::TfmMain> ui;
    QTimer m_timer;
    bool m_awaitingFrame = false;
    RandomGenerator m_random;
    TfmHiScore *m_recordsWindow = nullptr;

    TaskState m_task;
    DrillGame m_drill;
    DictionaryState m_dictionary;

    ResultStore<OneHiScore> Records;
    ResultStore<OneHistory> History;
    std::vector<OneHiScore *> CategoryRecords; // entries of Records, not owned

    QStringList BadSounds;
};
