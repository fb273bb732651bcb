#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QScopeGuard>

#include <optional>

#include "HiScore/TfmHiScore.h"
#include "main/rules/CategoryRanking.h"
#include "main/rules/PlayerName.h"
#include "main/rules/ResultCodec.h"
#include "rules/StrToInt.h"
#include "ui/EventGuard.h"
#include "ui/Platform.h"
#include "ui/QuitSignals.h"

namespace {

const QString ClosedGameName = QStringLiteral("Player1");
const QString HistoryName = QStringLiteral("-");

const QString NameCaption = QStringLiteral("Ваше имя");
const QString NamePrompt = QStringLiteral("Введите Ваше имя");
const QString BadNameMessage =
    QStringLiteral("Имя должно быть больше 2 символов и содержать буквы.");
const QString UnstorableNameMessage =
    QStringLiteral("В имени есть знаки, которые нельзя сохранить в таблице рекордов: %1. "
                   "Напишите имя русскими или латинскими буквами.");

// The prompt comes back until the name passes; each answer is remembered, passing or not. A
// request to end the program leaves the entry waiting for its name, to be asked next time.
std::optional<QString> askPlayerName(QLineEdit &lastName)
{
    for (;;) {
        const QString name = platform().inputQuery(NameCaption, NamePrompt, lastName.text());
        lastName.setText(name);
        if (isQuitRequested())
            return std::nullopt;
        if (!isAcceptableName(name))
            platform().showMessage(BadNameMessage);
        else if (const QString lost = unstorableChars(storedName(name)); !lost.isEmpty())
            platform().showMessage(UnstorableNameMessage.arg(lost));
        else
            return storedName(name);
        if (isQuitRequested())
            return std::nullopt;
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

} // namespace

void TfmMain::LoadRecords(const QString &fileName)
{
    Records.load(fileName);
}

void TfmMain::LoadHistory(const QString &fileName)
{
    History.load(fileName);
}

// A file that could not be read is reported here, and stays unread: it is never written over.
void TfmMain::readResults()
{
    guarded([this] { Records.read(); });
    guarded([this] { History.read(); });
}

const std::deque<OneHiScore> &TfmMain::records()
{
    readResults();
    return Records.entries();
}

const std::deque<OneHistory> &TfmMain::history()
{
    readResults();
    return History.entries();
}

void TfmMain::SaveRecords(const QString &fileName)
{
    const auto discard = qScopeGuard([this] {
        CategoryRecords.clear();
        Records.clear();
    });
    Records.save(fileName);
}

void TfmMain::SaveHistory(const QString &fileName)
{
    const auto discard = qScopeGuard([this] { History.clear(); });
    History.save(fileName);
}

void TfmMain::StoreGameResult()
{
    readResults();
    OneHiScore record;
    record.Name = NewResName;
    record.MinValue = m_task.MinValue;
    record.MaxValue = m_task.MaxValue;
    record.Category = CategoryCode();
    record.Score = game().Score;
    m_drill.setGameEnd(platform().now());
    record.Date = game().GameEnd;
    record.Answers = game().Answers;
    record.Errors = game().Errors;
    record.Duration = platform().now() - game().GameStart;
    Records.append(record);

    OneHistory past;
    past.Name = HistoryName;
    const QString action = ui->cmbAction->currentText();
    const QString description = exerciseKind() == ExerciseKind::ForeignLanguage
                                    ? action + QLatin1Char(' ') + ui->cmbDicFiles->currentText()
                                    : action + QStringLiteral(" от ") + ui->edMin->text() +
                                          QStringLiteral(" до ") + ui->edMax->text();
    past.Description = description.left(DescriptionChars);
    past.Score = game().Score;
    past.Date = game().GameEnd;
    past.Duration = platform().now() - game().GameStart;
    past.Answers = game().Answers;
    History.append(past);
}

void TfmMain::storeRunningGame()
{
    if (!isGameRunning())
        return;
    StoreGameResult();
    Records.entries().back().Name = ClosedGameName;
}

bool TfmMain::RankRecords()
{
    readResults();
    m_task.MaxValue = strToInt(ui->edMax->text());
    m_task.MinValue = strToInt(ui->edMin->text());
    CategoryRecords =
        rankCategory(Records.entries(), {m_task.MinValue, m_task.MaxValue, CategoryCode()});

    bool named = false;
    const std::size_t places = std::min(CategoryRecords.size(), RankedPlaces);
    for (std::size_t place = 0; place < places; ++place) {
        OneHiScore &entry = *CategoryRecords[place];
        if (entry.Name != NewResName)
            continue;
        const std::optional<QString> name = askPlayerName(*ui->edLastName);
        if (!name)
            break;
        entry.Name = *name;
        named = true;
    }
    return named;
}

void TfmMain::showRecordsWindow()
{
    if (!m_recordsWindow)
        return;
    m_recordsWindow->HighlightScore = game().Score;
    m_recordsWindow->HighlightDate = game().GameEnd;
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
    readResults();
    if (!m_recordsWindow)
        return;
    m_recordsWindow->ShowHistory(History.entries());
    showOnce(*m_recordsWindow);
}
