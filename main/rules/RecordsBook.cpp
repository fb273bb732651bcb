// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/RecordsBook.h"

#include <algorithm>

#include "main/rules/ResultCodec.h"

namespace {

// The history does not say who played.
const QString HistoryName = QStringLiteral("-");

template<typename Operation> void collect(QStringList &errors, Operation &&operation)
{
    try {
        operation();
    } catch (const Error &error) {
        errors << error.message();
    }
}

} // namespace

QStringList RecordsBook::load(const QString &recordsFile, const QString &historyFile)
{
    m_recordsFile = recordsFile;
    m_historyFile = historyFile;
    m_categoryRecords.clear();
    QStringList errors;
    collect(errors, [&] { m_records.load(recordsFile); });
    collect(errors, [&] { m_history.load(historyFile); });
    return errors;
}

QStringList RecordsBook::read()
{
    QStringList errors;
    collect(errors, [this] { m_records.read(); });
    collect(errors, [this] { m_history.read(); });
    return errors;
}

QStringList RecordsBook::save()
{
    QStringList errors;
    collect(errors, [this] { m_records.save(m_recordsFile); });
    collect(errors, [this] { m_history.save(m_historyFile); });
    m_categoryRecords.clear();
    m_records.clear();
    m_history.clear();
    return errors;
}

void RecordsBook::store(const FinishedGame &finished, const QString &name)
{
    const GameState &game = finished.game;
    const TDateTime duration = game.GameEnd - game.GameStart;
    m_records.append({name, finished.category.MinValue, finished.category.MaxValue,
                      finished.category.Code, game.Score, game.GameEnd, duration, game.Answers,
                      game.Errors});
    m_history.append({HistoryName, finished.description.left(DescriptionChars), game.Score,
                      game.GameEnd, duration, game.Answers});
}

bool RecordsBook::rank(const RecordCategory &category, const NameAsker &askName)
{
    m_categoryRecords = rankCategory(m_records.entries(), category);
    bool named = false;
    const std::size_t places = std::min(m_categoryRecords.size(), RankedPlaces);
    for (std::size_t place = 0; place < places; ++place) {
        OneHiScore &entry = *m_categoryRecords[place];
        if (entry.Name != NewResName)
            continue;
        const std::optional<QString> name = askName();
        if (!name)
            break;
        entry.Name = *name;
        named = true;
    }
    return named;
}
