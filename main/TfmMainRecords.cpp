// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include "HiScore/TfmHiScore.h"
#include "ui/ErrorBox.h"
#include "ui/NamePrompt.h"
#include "ui/Platform.h"

namespace {

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

// A file that could not be read is reported here, and stays unread: it is never written over.
void TfmMain::readResults()
{
    for (const QString &error : m_records.read())
        showErrorBox(error);
}

const std::deque<OneHiScore> &TfmMain::records()
{
    readResults();
    return m_records.records();
}

const std::deque<OneHistory> &TfmMain::history()
{
    readResults();
    return m_records.history();
}

void TfmMain::StoreGameResult(const QString &name)
{
    m_records.store(m_session.finishedGame(settings()), name);
}

bool TfmMain::RankRecords()
{
    readResults();
    return m_records.rank(categoryOf(settings()),
                          [this] { return askPlayerName(*ui->edLastName); });
}

void TfmMain::showRecordsWindow()
{
    if (!m_recordsWindow)
        return;
    m_recordsWindow->HighlightScore = m_session.game().Score;
    m_recordsWindow->HighlightDate = m_session.game().GameEnd;
    m_recordsWindow->ShowRecords(categoryRecords(), headingOf(*ui));
    showOnce(*m_recordsWindow);
}

void TfmMain::btHiscoreClick()
{
    RankRecords();
    if (!m_recordsWindow)
        return;
    m_recordsWindow->ShowRecords(categoryRecords(), headingOf(*ui));
    showOnce(*m_recordsWindow);
}

void TfmMain::btHistoryClick()
{
    readResults();
    if (!m_recordsWindow)
        return;
    m_recordsWindow->ShowHistory(m_records.history());
    showOnce(*m_recordsWindow);
}
