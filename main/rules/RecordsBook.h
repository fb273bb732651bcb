// SPDX-License-Identifier: GPL-3.0-or-later
// The records and the history of games, as the main window keeps them for a run: the two result
// stores, a finished game stored in both, and the ranking of a category with a name asked for
// every entry among its first places that still waits for one. Each operation on the files
// treats them one after the other and gives back the error texts of those that failed, so one
// unusable file never costs the other one its turn.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "main/rules/CategoryRanking.h"
#include "main/rules/DrillSession.h"
#include "main/rules/OneHiScore.h"
#include "main/rules/OneHistory.h"
#include "main/rules/ResultStore.h"

class RecordsBook {
public:
    // The name of a game still running when the program is closed.
    static inline const QString ClosedGameName = QStringLiteral("Player1");

    // Checks both files and creates missing ones; their entries are read when first needed.
    QStringList load(const QString &recordsFile, const QString &historyFile);
    // Reads both files, once; a file that cannot be read is never written over.
    QStringList read();
    // Writes this run's changes, then forgets every entry.
    QStringList save();

    // Appends the game to both lists, its records entry waiting for a name unless one is given.
    void store(const FinishedGame &finished, const QString &name = NewResName);

    // Ranks the category into categoryRecords() and asks a name for every entry among its first
    // places that waits for one; askName gives nothing when the asking must stop. True when a
    // name was given.
    using NameAsker = std::function<std::optional<QString>()>;
    bool rank(const RecordCategory &category, const NameAsker &askName);

    const std::deque<OneHiScore> &records() const { return m_records.entries(); }
    const std::deque<OneHistory> &history() const { return m_history.entries(); }
    // Entries of records(), highest score first, as the last ranking left them.
    const std::vector<OneHiScore *> &categoryRecords() const { return m_categoryRecords; }

private:
    QString m_recordsFile;
    QString m_historyFile;
    ResultStore<OneHiScore> m_records;
    ResultStore<OneHistory> m_history;
    std::vector<OneHiScore *> m_categoryRecords;
};
