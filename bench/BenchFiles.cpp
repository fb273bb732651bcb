// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "bench/SampleFiles.h"
#include "main/rules/CategoryRanking.h"
#include "main/rules/Dictionary.h"
#include "main/rules/ResultCodec.h"
#include "main/rules/ResultStore.h"
#include "rules/FileReplace.h"

namespace {

constexpr int Repetitions = 15;
constexpr int Entries = 100000;
constexpr int Categories = 20; // 5 000 entries each
constexpr int DictionaryEntries = 20000;
constexpr double FileBudgetMs = 100;
// A dictionary is loaded when the child presses «Старт», not during a game.
constexpr double DictionaryBudgetMs = 15;

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

// As the window loads them at start-up.
template<typename Entry> std::deque<Entry> loadedEntries(const QString &fileName)
{
    ResultStore<Entry> store;
    store.load(fileName);
    store.read();
    return std::move(store.entries());
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
}
