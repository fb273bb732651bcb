// SPDX-License-Identifier: GPL-3.0-or-later
// The records and history window as the player sees it: which labels a fill makes and where,
// the red name of the game just ranked, and the summary line. What a row's texts say is the
// rule of ResultTexts (tst_records).
#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTest>

#include <cmath>
#include <map>

#include "HiScore/TfmHiScore.h"
#include "scripted/ScriptedPlatform.h"
#include "ui/ApplicationSetup.h"
#include "ui/PictureBox.h"

namespace {

constexpr double SecondsPerDay = 86400;
const TDateTime Noon = 46000.5; // 09-12-2025 12:00:00

TDateTime seconds(double s)
{
    return s / SecondsPerDay;
}

OneHiScore record(qint32 score, TDateTime date = Noon)
{
    OneHiScore entry;
    entry.Name = QStringLiteral("Игрок %1").arg(score);
    entry.MinValue = 1;
    entry.MaxValue = 30;
    entry.Score = score;
    entry.Date = date;
    entry.Duration = seconds(135);
    entry.Answers = 30;
    entry.Errors = 10;
    return entry;
}

// The labels of the last fill by their top-left corner.
using Labels = std::map<std::pair<int, int>, QLabel *>;

Labels labelsOf(const TfmHiScore &window)
{
    Labels labels;
    for (QLabel *label : window.findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        const auto at = std::make_pair(label->x(), label->y());
        if (labels.count(at))
            qFatal("two labels at %d,%d", at.first, at.second);
        labels[at] = label;
    }
    return labels;
}

QString textAt(const Labels &labels, int x, int y)
{
    const auto found = labels.find({x, y});
    return found == labels.end() ? QStringLiteral("<none>") : found->second->text();
}

bool isRed(const QLabel &label)
{
    return label.palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

struct RecordsFill {
    std::deque<OneHiScore> entries;
    std::vector<OneHiScore *> list()
    { // what RankRecords hands over
        std::vector<OneHiScore *> pointers;
        for (OneHiScore &entry : entries)
            pointers.push_back(&entry);
        return pointers;
    }
};

RecordsHeading arithmeticHeading()
{
    return {QStringLiteral("Сложение"), false, QString(), false};
}

} // namespace

Q_DECLARE_METATYPE(RecordsHeading)

class HiScoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void windowAtCreation();
    void recordsTableShowsFirstTwenty();
    void highlightOnlyExactGame_data();
    void highlightOnlyExactGame();
    void averageScore_data();
    void averageScore();
    void categorySummary_data();
    void categorySummary();
    void historyNewestFirst_data();
    void historyNewestFirst();
    void emptyListsLeaveWallpaperOnly();
    void refillRemovesPreviousLabels();
    void progressActionOpensOverRefills();
    void namesAreNeverMarkup();

private:
    ScriptedPlatform m_fake;
    std::unique_ptr<PlatformOverride> m_override;
};

void HiScoreTest::initTestCase()
{
    setUpApplication(*qApp);
    m_fake.display = QRect(0, 0, 1280, 1024);
    m_override = std::make_unique<PlatformOverride>(m_fake);
}

void HiScoreTest::windowAtCreation()
{
    TfmHiScore window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Рекорды"));
    QCOMPARE(window.size(), QSize(506, 597));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.frameGeometry().topLeft(),
             QPoint((1280 - window.frameGeometry().width()) / 2,
                    (1024 - window.frameGeometry().height()) / 2));
    QCOMPARE(window.HighlightScore, 0);
    QCOMPARE(window.HighlightDate, 0.0);
}

void HiScoreTest::recordsTableShowsFirstTwenty()
{
    RecordsFill fill;
    for (int i = 0; i < 25; ++i)
        fill.entries.push_back(record(100 - i));
    TfmHiScore window;
    window.ShowRecords(fill.list(), arithmeticHeading());
    const Labels labels = labelsOf(window);

    QCOMPARE(window.windowTitle(), QStringLiteral("Рекорды"));
    const std::pair<int, const char16_t *> headers[] = {
        {5, u"Место"},   {45, u"Имя"},      {120, u"Очков"},    {165, u"Дата"},
        {275, u"Время"}, {320, u"Ответов"}, {370, u"Ср.ответ"}, {430, u"Ошибок"}};
    for (const auto &[x, text] : headers)
        QCOMPARE(textAt(labels, x, 80), QString::fromUtf16(text));
    // Each text of a row in its column.
    const int columns[] = {10, 40, 140, 165, 275, 320, 370, 430};
    const char *first[] = {"1)",       "Игрок 100", "100",    "09-12-2025 12:00:00",
                           "00:02:15", "30",        "04.500", "10"};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(textAt(labels, columns[i], 100), QString::fromUtf8(first[i]));
    for (int i = 0; i < 20; ++i) {
        const int y = 100 + 20 * i;
        QCOMPARE(textAt(labels, 10, y), QStringLiteral("%1)").arg(i + 1));
        QCOMPARE(textAt(labels, 40, y), QStringLiteral("Игрок %1").arg(100 - i));
        QCOMPARE(textAt(labels, 140, y), QString::number(100 - i));
    }
    QCOMPARE(textAt(labels, 10, 500), QStringLiteral("<none>"));
    QCOMPARE(textAt(labels, 20, 20), QStringLiteral("Действие : Сложение"));
    QCOMPARE(textAt(labels, 220, 20), QStringLiteral("Категория: от 1 до 30"));
    QCOMPARE(textAt(labels, 20, 40), QStringLiteral("Всего игр: 25"));
    // (100 + ... + 76) / 25 = 88: the five games not listed count too.
    QCOMPARE(textAt(labels, 120, 40), QStringLiteral("Средний балл: 88"));
    QCOMPARE(labels.size(), std::size_t(8 + 20 * 8 + 4));
}

void HiScoreTest::highlightOnlyExactGame_data()
{
    QTest::addColumn<int>("highlightScore");
    QTest::addColumn<TDateTime>("highlightDate");
    QTest::addColumn<int>("redRow"); // -1: none

    // Rows: 0 (30, Noon), 1 (20, Noon + 1 s), 2 (20, Noon + 2 s).
    QTest::addRow("score_and_date_match") << 20 << Noon + seconds(2) << 2;
    QTest::addRow("same_score_other_date") << 20 << Noon + seconds(3) << -1;
    QTest::addRow("same_date_other_score") << 21 << Noon + seconds(1) << -1;
    QTest::addRow("date_off_by_one_ulp") << 30 << std::nextafter(Noon, 1e9) << -1;
    QTest::addRow("first_place") << 30 << Noon << 0;
}

void HiScoreTest::highlightOnlyExactGame()
{
    QFETCH(int, highlightScore);
    QFETCH(TDateTime, highlightDate);
    QFETCH(int, redRow);
    RecordsFill fill;
    fill.entries = {record(30, Noon), record(20, Noon + seconds(1)), record(20, Noon + seconds(2))};
    TfmHiScore window;
    window.HighlightScore = highlightScore;
    window.HighlightDate = highlightDate;
    window.ShowRecords(fill.list(), arithmeticHeading());

    const QColor normal = window.palette().color(QPalette::WindowText);
    for (const auto &[at, label] : labelsOf(window)) {
        const bool red = at.first == 40 && at.second == 100 + 20 * redRow;
        QVERIFY2(isRed(*label) == red, qPrintable(label->text()));
        if (!red)
            QCOMPARE(label->palette().color(QPalette::WindowText), normal);
    }
}

void HiScoreTest::averageScore_data()
{
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<QString>("average");
    QTest::addRow("10_9_9_gives_9") << QList<int>{10, 9, 9} << "9";
    QTest::addRow("5_4_gives_4") << QList<int>{5, 4} << "4";
    QTest::addRow("single_zero") << QList<int>{0} << "0";
    QTest::addRow("negative_truncates_toward_zero") << QList<int>{-3, -4} << "-3";
    QTest::addRow("no_overflow_of_the_sum") << QList<int>{2147483647, 2147483647} << "2147483647";
}

void HiScoreTest::averageScore()
{
    QFETCH(QList<int>, scores);
    QFETCH(QString, average);
    RecordsFill fill;
    for (const int score : scores)
        fill.entries.push_back(record(score));
    TfmHiScore window;
    window.ShowRecords(fill.list(), arithmeticHeading());
    QCOMPARE(textAt(labelsOf(window), 120, 40), QStringLiteral("Средний балл: ") + average);
}

void HiScoreTest::categorySummary_data()
{
    QTest::addColumn<RecordsHeading>("heading");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("category");

    QTest::addRow("arithmetic_range_of_first_entry")
        << RecordsHeading{QStringLiteral("Деление"), false, QStringLiteral("animals.txt"), true}
        << "Действие : Деление"
        << "Категория: от -4 до 12";
    QTest::addRow("foreign_language") << RecordsHeading{QStringLiteral("Иностранный язык"), true,
                                                        QStringLiteral("animals.txt"), false}
                                      << "Действие : Иностранный язык"
                                      << "Категория:animals.txt";
    QTest::addRow("foreign_language_reversed")
        << RecordsHeading{QStringLiteral("Иностранный язык"), true, QStringLiteral("Звери.txt"),
                          true}
        << "Действие : Иностранный язык"
        << "Категория:Звери.txt<-->";
}

void HiScoreTest::categorySummary()
{
    QFETCH(RecordsHeading, heading);
    RecordsFill fill;
    fill.entries = {record(9), record(3)};
    fill.entries.front().MinValue = -4;
    fill.entries.front().MaxValue = 12;
    TfmHiScore window;
    window.ShowRecords(fill.list(), heading);
    const Labels labels = labelsOf(window);
    QTEST(textAt(labels, 20, 20), "action");
    QTEST(textAt(labels, 220, 20), "category");
    QCOMPARE(textAt(labels, 20, 40), QStringLiteral("Всего игр: 2"));
}

void HiScoreTest::historyNewestFirst_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addRow("sixty_entries_give_fifty_rows") << 60 << 50;
    QTest::addRow("fifty_entries") << 50 << 50;
    QTest::addRow("three_entries") << 3 << 3;
}

void HiScoreTest::historyNewestFirst()
{
    QFETCH(int, count);
    QFETCH(int, rows);
    std::deque<OneHistory> history;
    for (int i = 0; i < count; ++i) {
        OneHistory entry;
        entry.Name = QStringLiteral("hidden");
        entry.Description = QStringLiteral("Сложение от 1 до %1").arg(i + 1);
        entry.Score = 100 + i;
        entry.Date = Noon;
        entry.Duration = seconds(60 + i);
        entry.Answers = i;
        history.push_back(entry);
    }
    TfmHiScore window;
    window.ShowHistory(history);
    const Labels labels = labelsOf(window);

    QCOMPARE(window.windowTitle(), QStringLiteral("История"));
    QCOMPARE(textAt(labels, 10, 20), QStringLiteral("История"));
    QCOMPARE(textAt(labels, 60, 20), QStringLiteral("Очков"));
    QCOMPARE(textAt(labels, 100, 20), QStringLiteral("Дата"));
    QCOMPARE(textAt(labels, 220, 20), QStringLiteral("Время"));
    for (int k = 0; k < rows; ++k) {
        const int position = count - 1 - k;
        const int y = 35 + 15 * k;
        QCOMPARE(textAt(labels, 20, y), QStringLiteral("%1)").arg(position + 1));
        QCOMPARE(textAt(labels, 60, y), QString::number(100 + position));
        QCOMPARE(textAt(labels, 100, y), QStringLiteral("09-12-2025 12:00:00"));
        QCOMPARE(textAt(labels, 220, y),
                 QStringLiteral("00:01:%1").arg(position, 2, 10, QLatin1Char('0')));
        QCOMPARE(textAt(labels, 270, y), QStringLiteral("Сложение от 1 до %1").arg(position + 1));
    }
    QCOMPARE(labels.size(), std::size_t(4 + 5 * rows));
    for (const auto &[at, label] : labels)
        QVERIFY(label->text() != QStringLiteral("hidden"));
}

void HiScoreTest::emptyListsLeaveWallpaperOnly()
{
    TfmHiScore window;
    RecordsFill fill;
    fill.entries = {record(5)};
    window.ShowRecords(fill.list(), arithmeticHeading());
    QVERIFY(!labelsOf(window).empty());

    window.ShowHistory({});
    QCOMPARE(window.windowTitle(), QStringLiteral("История"));
    QVERIFY(labelsOf(window).empty());
    window.ShowRecords({}, arithmeticHeading());
    QCOMPARE(window.windowTitle(), QStringLiteral("Рекорды"));
    QVERIFY(labelsOf(window).empty());

    const QList<QWidget *> left = window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.front()->objectName(), QStringLiteral("imgWallpapper"));
    const auto *wallpaper = qobject_cast<PictureBox *>(left.front());
    QVERIFY(wallpaper && wallpaper->hasPicture());
    QCOMPARE(wallpaper->geometry(), QRect(0, 0, 506, 597));
}

void HiScoreTest::refillRemovesPreviousLabels()
{
    TfmHiScore window;
    std::deque<OneHistory> history(60);
    window.ShowHistory(history);
    QCOMPARE(labelsOf(window).size(), std::size_t(4 + 5 * 50));

    RecordsFill fill;
    fill.entries = {record(8), record(7)};
    window.ShowRecords(fill.list(), arithmeticHeading());
    QCOMPARE(labelsOf(window).size(), std::size_t(8 + 2 * 8 + 4));
    window.ShowRecords(fill.list(), arithmeticHeading());
    QCOMPARE(labelsOf(window).size(), std::size_t(8 + 2 * 8 + 4));
}

void HiScoreTest::namesAreNeverMarkup()
{
    RecordsFill fill;
    fill.entries = {record(5)};
    fill.entries.front().Name = QStringLiteral("<b>Ann</b><img src=x>");
    TfmHiScore window;
    window.ShowRecords(fill.list(), arithmeticHeading());
    QLabel *name = labelsOf(window).at({40, 100});
    QCOMPARE(name->textFormat(), Qt::PlainText);
    QCOMPARE(name->text(), QStringLiteral("<b>Ann</b><img src=x>"));
}

// «Успехи…» in the context menu, on Ctrl+U; the window it opens over this one outlives a refill
// (a game can end behind both).
void HiScoreTest::progressActionOpensOverRefills()
{
    TfmHiScore window;
    QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction *> actions = window.actions();
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions.front()->text(), QStringLiteral("Успехи…"));
    QCOMPARE(actions.front()->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));

    const QPointer<QDialog> over = new QDialog(&window);
    window.ShowHistory(std::deque<OneHistory>(3));
    QVERIFY(!over.isNull());
}

QTEST_MAIN(HiScoreTest)
#include "tst_hiscore.moc"
