#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QFileInfo>
#include <QScopeGuard>

#include "HiScore/TfmHiScore.h"
#include "main/CategoryRanking.h"
#include "main/EntriesLoad.h"
#include "main/PlayerName.h"
#include "main/ResultCodec.h"
#include "main/ResultFile.h"
#include "ui/Error.h"
#include "ui/EventGuard.h"
#include "ui/Platform.h"
#include "ui/StrToInt.h"

namespace {

// The name of an entry that still waits for its player's name.
const QString NewResName = QStringLiteral("NewRes");
const QString ClosedGameName = QStringLiteral("Player1");
const QString HistoryName = QStringLiteral("-");

const QString NameCaption = QStringLiteral("Ваше имя");
const QString NamePrompt = QStringLiteral("Введите Ваше имя");
const QString BadNameMessage =
    QStringLiteral("Имя должно быть больше 2 символов и содержать буквы.");

// A file that could not be read at start-up still holds the player's data: it is kept as it
// is, and games of this run that cannot go into it are reported rather than lost in silence.
template<typename Entry>
void saveEntries(const QString &fileName, const std::deque<Entry> &entries, bool loaded,
                 bool changed)
{
    // A run that changed nothing leaves the file as it found it.
    if (loaded && !changed && QFileInfo::exists(fileName))
        return;
    if (!loaded) {
        if (!entries.empty())
            throw Error(QStringLiteral("The games of this run are not saved: the file %1 could "
                                       "not be read at start-up and is left as it was")
                            .arg(fileName));
        return;
    }
    writeResultFile(fileName, encodeEntries(entries));
}

// The prompt comes back until the name passes; each answer is remembered, passing or not.
QString askPlayerName(QLineEdit &lastName)
{
    for (;;) {
        const QString name = platform().inputQuery(NameCaption, NamePrompt, lastName.text());
        lastName.setText(name);
        if (isAcceptableName(name))
            return storedName(name);
        platform().showMessage(BadNameMessage);
    }
}

RecordsHeading headingOf(const Ui::TfmMain &ui)
{
    return {ui.cmbAction->currentText(),
            ui.cmbAction->currentIndex() == int(ExerciseKind::ForeignLanguage),
            ui.cmbDicFiles->currentText(), ui.cbReverse->isChecked()};
}

// A game can end while the window is open (the game runs on behind it): it is then only
// refilled, since a window cannot be shown modally twice.
void showOnce(TfmHiScore &window)
{
    if (!window.isVisible())
        platform().showModal(window);
}

// Entries still being read were never used, so nothing changed: the reading is stopped and
// the file left as it is.
template<typename Entry> bool stopUnusedLoad(std::unique_ptr<EntriesLoad<Entry>> &load)
{
    if (!load)
        return false;
    load->cancel();
    load.reset();
    return true;
}

} // namespace

void TfmMain::LoadRecords(const QString &fileName)
{
    m_recordsLoaded = false;
    Records.clear();
    m_recordsLoad = std::make_unique<EntriesLoad<OneHiScore>>(fileName);
}

void TfmMain::LoadHistory(const QString &fileName)
{
    m_historyLoaded = false;
    History.clear();
    m_historyLoad = std::make_unique<EntriesLoad<OneHistory>>(fileName);
}

// A file that could not be read is reported here, and stays unloaded: it is never written over.
void TfmMain::awaitResults()
{
    if (m_recordsLoad) {
        const std::unique_ptr<EntriesLoad<OneHiScore>> load = std::move(m_recordsLoad);
        guarded([&] {
            Records = load->take();
            m_recordsLoaded = true;
        });
    }
    if (m_historyLoad) {
        const std::unique_ptr<EntriesLoad<OneHistory>> load = std::move(m_historyLoad);
        guarded([&] {
            History = load->take();
            m_historyLoaded = true;
        });
    }
}

const std::deque<OneHiScore> &TfmMain::records()
{
    awaitResults();
    return Records;
}

const std::deque<OneHistory> &TfmMain::history()
{
    awaitResults();
    return History;
}

void TfmMain::SaveRecords(const QString &fileName)
{
    const auto discard = qScopeGuard([this] {
        CategoryRecords.clear();
        Records.clear();
    });
    if (stopUnusedLoad(m_recordsLoad))
        return;
    saveEntries(fileName, Records, m_recordsLoaded, m_recordsChanged);
}

void TfmMain::SaveHistory(const QString &fileName)
{
    const auto discard = qScopeGuard([this] { History.clear(); });
    if (stopUnusedLoad(m_historyLoad))
        return;
    saveEntries(fileName, History, m_historyLoaded, m_historyChanged);
}

void TfmMain::StoreGameResult()
{
    awaitResults();
    OneHiScore record;
    record.Name = NewResName;
    record.MinValue = m_task.MinValue;
    record.MaxValue = m_task.MaxValue;
    record.Category = CategoryCode();
    record.Score = m_game.Score;
    m_game.GameEnd = platform().now();
    record.Date = m_game.GameEnd;
    record.Answers = m_game.Answers;
    record.Errors = m_game.Errors;
    record.Duration = platform().now() - m_game.GameStart;
    Records.push_back(record);
    m_recordsChanged = true;

    OneHistory past;
    past.Name = HistoryName;
    const QString action = ui->cmbAction->currentText();
    const QString description = exerciseKind() == ExerciseKind::ForeignLanguage
                                    ? action + QLatin1Char(' ') + ui->cmbDicFiles->currentText()
                                    : action + QStringLiteral(" от ") + ui->edMin->text() +
                                          QStringLiteral(" до ") + ui->edMax->text();
    past.Description = description.left(DescriptionChars);
    past.Score = m_game.Score;
    past.Date = m_game.GameEnd;
    past.Duration = platform().now() - m_game.GameStart;
    past.Answers = m_game.Answers;
    History.push_back(past);
    m_historyChanged = true;
}

void TfmMain::storeRunningGame()
{
    if (!isGameRunning())
        return;
    StoreGameResult();
    Records.back().Name = ClosedGameName;
}

bool TfmMain::RankRecords()
{
    awaitResults();
    m_task.MaxValue = strToInt(ui->edMax->text());
    m_task.MinValue = strToInt(ui->edMin->text());
    CategoryRecords = rankCategory(Records, {m_task.MinValue, m_task.MaxValue, CategoryCode()});

    bool named = false;
    const std::size_t places = std::min(CategoryRecords.size(), RankedPlaces);
    for (std::size_t place = 0; place < places; ++place) {
        OneHiScore &entry = *CategoryRecords[place];
        if (entry.Name != NewResName)
            continue;
        entry.Name = askPlayerName(*ui->edLastName);
        named = true;
        m_recordsChanged = true;
    }
    return named;
}

void TfmMain::showRecordsWindow()
{
    if (!m_recordsWindow)
        return;
    m_recordsWindow->HighlightScore = m_game.Score;
    m_recordsWindow->HighlightDate = m_game.GameEnd;
    m_recordsWindow->ShowRecords(CategoryRecords, headingOf(*ui));
    showOnce(*m_recordsWindow);
}

void TfmMain::btHiscoreClick()
{
    RankRecords();
    if (!m_recordsWindow)
        return;
    m_recordsWindow->ShowRecords(CategoryRecords, headingOf(*ui));
    showOnce(*m_recordsWindow);
}

void TfmMain::btHistoryClick()
{
    awaitResults();
    if (!m_recordsWindow)
        return;
    m_recordsWindow->ShowHistory(History);
    showOnce(*m_recordsWindow);
}
