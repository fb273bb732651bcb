// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"
#include "main/rules/CategoryRanking.h"
#include "main/rules/Dictionary.h"
#include "main/rules/ResultCodec.h"
#include "main/rules/ResultStore.h"
#include "rules/FileReplace.h"
#include "ui/DataLocations.h"

namespace {

constexpr int Repetitions = 15;
constexpr int Entries = 100000;
constexpr int Categories = 20; // 5 000 entries each
constexpr int DictionaryEntries = 20000;
constexpr double FileBudgetMs = 100;
// A dictionary is loaded when the child presses «Старт», not during a game.
constexpr double DictionaryBudgetMs = 15;
// The list is made each time the vocabulary kind is chosen.
constexpr int ListedDictionaries = 500;
constexpr double ListingBudgetMs = 50;
// Debian's word lists are added when the list is first opened: the same budget as a listing.
constexpr double WordListsBudgetMs = ListingBudgetMs;

// The reference a Qt programmer would write first: read lines, split at the first TAB.
qsizetype referenceRead(const QString &path, bool utf16)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    QTextStream stream(&file);
    stream.setEncoding(utf16 ? QStringConverter::Utf16LE : QStringConverter::Latin1);
    qsizetype entries = 0;
    QString line;
    while (stream.readLineInto(&line)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        const QString word = line.left(tab);
        const QString translation = line.mid(tab + 1);
        entries += word.isNull() || translation.isNull() ? 0 : 1;
    }
    return entries;
}

// The least any reader built on QXmlStreamReader pays: every token read, nothing kept.
qsizetype referenceXmlTokens(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    QXmlStreamReader xml(file.readAll());
    qsizetype tokens = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
    }
    return tokens;
}

// As the window loads them at start-up.
template<typename Entry> std::deque<Entry> loadedEntries(const QString &fileName)
{
    ResultStore<Entry> store;
    store.load(fileName);
    store.read();
    return std::move(store.entries());
}

// KVTML loads within the same budget; the list of dictionaries is made whenever the vocabulary
// kind is chosen.
void benchKvtmlAndListing(Report &report)
{
    QTemporaryDir folder;
    const QString kvtml = folder.filePath(QStringLiteral("bench.kvtml"));
    writeKvtml(kvtml, DictionaryEntries);
    qsizetype loaded = 0;
    const std::vector<double> times =
        medianMsInTurns(Repetitions, {[&] { loaded = loadDictionaryLines(kvtml).size(); },
                                      [&] {
                                          referenceXmlTokens(kvtml);
                                      }});
    const double ours = times[0];
    report.add({QStringLiteral("load %1-entry KVTML dictionary, %2 KB")
                    .arg(loaded)
                    .arg(QFileInfo(kvtml).size() / 1024),
                ms(ours),
                QStringLiteral("QXmlStreamReader alone, every token read %1").arg(ms(times[1])),
                QStringLiteral("< %1 ms").arg(DictionaryBudgetMs),
                ours < DictionaryBudgetMs && loaded == DictionaryEntries});

    // The program's own folder only.
    const QString program = folder.filePath(QStringLiteral("program/"));
    QDir().mkpath(program + QStringLiteral("Dic"));
    for (int i = 0; i < ListedDictionaries; ++i)
        writeDictionary(program + QStringLiteral("Dic/words%1.txt").arg(i), 1, false);
    const DataLocations own = dataLocationsFor(program, ProgramFolder::Writable, QString());
    qsizetype listed = 0;
    const double listing = medianMs(Repetitions, [&] {
        listed = listContent(own, Content::Dictionaries, QStringLiteral("*")).size();
    });
    report.add({QStringLiteral("list a folder of %1 dictionaries").arg(listed),
                ms(listing),
                {},
                QStringLiteral("< %1 ms").arg(ListingBudgetMs),
                listing < ListingBudgetMs && listed == ListedDictionaries});

    // Debian's word lists, where installed: every file is looked at for a second language.
    if (!QFileInfo(SystemWordListsFolder).isDir())
        return;
    const DataLocations system; // whose word lists are the system's
    const double lists = medianMs(Repetitions, [&] { listed = listWordLists(system).size(); });
    report.add({QStringLiteral("list the system's word lists, %1 with two languages").arg(listed),
                ms(lists),
                {},
                QStringLiteral("< %1 ms").arg(WordListsBudgetMs),
                lists < WordListsBudgetMs});
}

} // namespace

void benchRecords(Report &report)
{
    QTemporaryDir folder;
    writeResultFiles(folder.path(), Entries, Categories);
    const QString recordsFile = folder.filePath(QStringLiteral("SaveRes.res"));
    const QString historyFile = folder.filePath(QStringLiteral("SaveRes.hst"));

    std::deque<OneHiScore> records;
    std::deque<OneHistory> history;
    const double load = medianMs(Repetitions, [&] {
        records = loadedEntries<OneHiScore>(recordsFile);
        history = loadedEntries<OneHistory>(historyFile);
    });
    std::size_t ranked = 0;
    const double rank = medianMs(Repetitions, [&] {
        ranked = rankCategory(records, {1, 30, 0}).size();
    });
    const double save = medianMs(Repetitions, [&] {
        replaceFile(recordsFile, encodeEntries(records));
        replaceFile(historyFile, encodeEntries(history));
    });

    // As at an exit: one new game in each file, saved under the lock into the file as it is
    // now, so that the entries other copies wrote meanwhile are kept.
    std::vector<double> mergeTimes;
    for (int i = 0; i < Repetitions; ++i) {
        ResultStore<OneHiScore> recordStore;
        ResultStore<OneHistory> historyStore;
        recordStore.load(recordsFile);
        historyStore.load(historyFile);
        recordStore.read();
        historyStore.read();
        recordStore.append(records.front());
        historyStore.append(history.front());
        const auto start = Clock::now();
        recordStore.save(recordsFile);
        historyStore.save(historyFile);
        mergeTimes.push_back(elapsedMs(start));
        // The next round starts from the same files.
        replaceFile(recordsFile, encodeEntries(records));
        replaceFile(historyFile, encodeEntries(history));
    }
    const double merge = median(mergeTimes);

    const QString budget = QStringLiteral("< %1 ms").arg(FileBudgetMs);
    report.add({QStringLiteral("load 100 000 records + 100 000 history entries"),
                ms(load),
                {},
                budget,
                load < FileBudgetMs});
    report.add({QStringLiteral("rank one category of %1 entries").arg(ranked),
                ms(rank),
                {},
                budget,
                rank < FileBudgetMs});
    report.add({QStringLiteral("save both files atomically (write, flush, sync, rename)"),
                ms(save),
                {},
                budget,
                save < FileBudgetMs});
    report.add({QStringLiteral("save both files with the lock and the merge of other copies' "
                               "entries, one new game each"),
                ms(merge),
                {},
                budget,
                merge < FileBudgetMs});
}

void benchDictionary(Report &report)
{
    QTemporaryDir folder;
    for (const bool utf16 : {false, true}) {
        const QString path =
            folder.filePath(utf16 ? QStringLiteral("utf16.txt") : QStringLiteral("win1251.txt"));
        writeDictionary(path, DictionaryEntries, utf16);
        const qint64 bytes = QFileInfo(path).size();
        qsizetype loaded = 0;
        const double ours = medianMs(
            Repetitions, [&] { loaded = parseDictionary(readDictionaryFile(path)).lines.size(); });
        const double reference = medianMs(Repetitions, [&] { referenceRead(path, utf16); });
        const QString figure =
            QStringLiteral("load %1-entry dictionary, %2, %3 KB")
                .arg(loaded)
                .arg(utf16 ? QStringLiteral("UTF-16LE") : QStringLiteral("Windows-1251"))
                .arg(bytes / 1024);
        report.add(
            {figure, ms(ours),
             QStringLiteral("QTextStream::readLine + split %1%2")
                 .arg(ms(reference),
                      utf16 ? QString() : QStringLiteral(" (Latin-1, no Cyrillic decoding)")),
             QStringLiteral("< %1 ms").arg(DictionaryBudgetMs), ours < DictionaryBudgetMs});
    }
    benchKvtmlAndListing(report);
}
