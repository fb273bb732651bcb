// SPDX-License-Identifier: GPL-3.0-or-later
// Records and history through the real main window: the two files at start-up and exit, the
// results a game leaves, the ranking of its category with the name prompt, and the records
// window that the end of a game and the two buttons open.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "HiScore/TfmHiScore.h"
#include "main/rules/CategoryCode.h"
#include "main/rules/ResultCodec.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "ui/ApplicationSetup.h"

namespace {

const QString RecordsFile = QStringLiteral("SaveRes.res");
const QString HistoryFile = QStringLiteral("SaveRes.hst");
const QString NameRuleMessage =
    QStringLiteral("Имя должно быть больше 2 символов и содержать буквы.");
constexpr qint32 AdditionCode = 0;

OneHiScore named(const QString &name, qint32 score, qint32 category = AdditionCode)
{
    OneHiScore entry;
    entry.Name = name;
    entry.MinValue = 1;
    entry.MaxValue = 30;
    entry.Category = category;
    entry.Score = score;
    entry.Date = 45900.25 + score / 1000.0;
    entry.Duration = 0.001;
    entry.Answers = score / 3;
    entry.Errors = 10;
    return entry;
}

// A sandbox with result files, the main window and the records window made after it, and
// closed in reverse order as the program does.
class Session {
public:
    explicit Session(const std::deque<OneHiScore> &records = {},
                     const std::deque<OneHistory> &history = {})
    {
        if (!records.empty())
            sandbox.writeFile(RecordsFile, encodeEntries(records));
        if (!history.empty())
            sandbox.writeFile(HistoryFile, encodeEntries(history));
    }
    ~Session() { close(); }

    TfmMain &open()
    {
        m_window = std::make_unique<TfmMain>();
        m_hiScore = std::make_unique<TfmHiScore>();
        m_window->setRecordsWindow(m_hiScore.get());
        selectKind(*m_window, ExerciseKind::Addition);
        return *m_window;
    }
    void close()
    {
        if (m_window)
            m_window->setRecordsWindow(nullptr);
        m_hiScore.reset();
        m_window.reset();
    }

    // Starts a game, gives the right answers (3 points each, the clock standing still) and
    // ends it with ten wrong ones.
    void playGame(int rightAnswers)
    {
        startGame(rightAnswers);
        for (int i = 0; i < 10; ++i)
            answerWrong(*m_window);
        if (m_window->isGameRunning())
            qFatal("the game did not end");
    }
    void startGame(int rightAnswers)
    {
        m_window->btStartClick();
        if (!m_window->isGameRunning())
            qFatal("the game did not start");
        for (int i = 0; i < rightAnswers; ++i) {
            sandbox.platform.advanceSeconds(3);
            answerRight(*m_window);
        }
    }

    std::deque<OneHiScore> savedRecords() const
    {
        return decodeEntries<OneHiScore>(sandbox.readFile(RecordsFile));
    }
    std::deque<OneHistory> savedHistory() const
    {
        return decodeEntries<OneHistory>(sandbox.readFile(HistoryFile));
    }

    TfmMain &window() { return *m_window; }
    TfmHiScore &hiScore() { return *m_hiScore; }

    AppSandbox sandbox;

private:
    std::unique_ptr<TfmMain> m_window;
    std::unique_ptr<TfmHiScore> m_hiScore;
};

qint64 milliseconds(TDateTime duration)
{
    return qRound64(duration * MSecsPerDay);
}

QLabel *labelAt(const TfmHiScore &window, int x, int y)
{
    for (QLabel *label : window.findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->pos() == QPoint(x, y))
            return label;
    }
    return nullptr;
}

int labelCount(const TfmHiScore &window)
{
    return int(window.findChildren<QLabel *>(Qt::FindDirectChildrenOnly).size());
}

} // namespace

class RankingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void missingFilesAreCreatedEmpty();
    void filesAreReadWhenFirstNeeded_data();
    void filesAreReadWhenFirstNeeded();
    void gameResultEntries();
    void gameRankedTwentySecondAsksNothing();
    void topGameAsksOnceAndShowsWindow();
    void namePrompt_data();
    void namePrompt();
    void closingDuringGameStoresPlayer1();
    void closingWithoutGameChangesNothing();
    void foreignGameNamesItsDictionary();
    void unreadableFileIsNeverOverwritten_data();
    void unreadableFileIsNeverOverwritten();
    void hiscoreButton();
    void hiscoreButtonAsksUnnamedEntries();
    void hiscoreButtonWithBadRange();
    void historyButton();
    void gameEndingBehindOpenWindowRefillsIt();
};

void RankingTest::missingFilesAreCreatedEmpty()
{
    Session s;
    TfmMain &w = s.open();
    QVERIFY(w.records().empty());
    QVERIFY(w.history().empty());
    for (const QString &file : {RecordsFile, HistoryFile}) {
        const QFileInfo info(QDir::current().filePath(file));
        QVERIFY2(info.isFile(), qPrintable(file));
        QCOMPARE(info.size(), qint64(0));
    }
    QVERIFY(s.sandbox.platform.errors.isEmpty());
}

void RankingTest::filesAreReadWhenFirstNeeded_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("used");
    QTest::addColumn<bool>("played");

    QTest::addRow("closed_at_once") << false << false << false;
    QTest::addRow("used_after_start") << false << true << false;
    QTest::addRow("files_replaced_before_first_use") << true << true << false;
    QTest::addRow("game_played") << false << true << true;
}

// The entries are read when they are first needed: a file replaced before that is read as it
// is then, and a run that never used them leaves them untouched.
void RankingTest::filesAreReadWhenFirstNeeded()
{
    QFETCH(bool, replaced);
    QFETCH(bool, used);
    QFETCH(bool, played);
    constexpr int Count = 5000; // well over what is read at once
    std::deque<OneHiScore> records;
    std::deque<OneHistory> history(Count);
    for (int i = 0; i < Count; ++i) {
        records.push_back(named(QStringLiteral("Игрок %1").arg(i / 3), i % 200));
        history[std::size_t(i)].Name = QStringLiteral("-");
        history[std::size_t(i)].Description = QStringLiteral("Сложение от 1 до %1").arg(i);
    }
    Session s(records, history);
    const QByteArray recordBytes = s.sandbox.readFile(RecordsFile);
    const QByteArray historyBytes = s.sandbox.readFile(HistoryFile);
    TfmMain &w = s.open();
    if (replaced) {
        // As a save or a copy replaces a file: under the same name, a new file.
        for (const QString &file : {RecordsFile, HistoryFile})
            QVERIFY(QFile::remove(s.sandbox.path(file)));
        s.sandbox.writeFile(RecordsFile, QByteArray());
        s.sandbox.writeFile(HistoryFile, QByteArray("replaced"));
    }
    if (used && replaced) {
        QVERIFY(w.records().empty());
        QVERIFY(w.history().empty());
    } else if (used) {
        QCOMPARE(w.records().size(), std::size_t(Count));
        QCOMPARE(w.history().size(), std::size_t(Count));
        QCOMPARE(encodeEntries(w.records()), recordBytes);
        QCOMPARE(encodeEntries(w.history()), historyBytes);
    }
    if (played)
        s.playGame(1);
    s.close();

    QVERIFY(s.sandbox.platform.errors.isEmpty());
    if (played) {
        QCOMPARE(s.savedRecords().size(), std::size_t(Count + 1));
        QVERIFY(s.sandbox.readFile(HistoryFile).startsWith(historyBytes));
    } else if (!replaced) {
        QCOMPARE(s.sandbox.readFile(RecordsFile), recordBytes);
        QCOMPARE(s.sandbox.readFile(HistoryFile), historyBytes);
    }
}

void RankingTest::gameResultEntries()
{
    Session s;
    TfmMain &w = s.open();
    s.playGame(4);
    const QString description = QStringLiteral("Сложение от 1 до 30");

    QCOMPARE(w.records().size(), std::size_t(1));
    const OneHiScore &record = w.records().back();
    const OneHistory &past = w.history().back();
    QCOMPARE(record.MinValue, 1);
    QCOMPARE(record.MaxValue, 30);
    QCOMPARE(record.Category, AdditionCode);
    QCOMPARE(record.Score, 12);
    QCOMPARE(record.Answers, 4);
    QCOMPARE(record.Errors, 10);
    QCOMPARE(record.Date, w.session().game().GameEnd);
    QCOMPARE(record.Duration, w.session().game().GameEnd - w.session().game().GameStart);
    QCOMPARE(milliseconds(w.session().game().GameEnd - w.session().game().GameStart), 12000);
    QCOMPARE(past.Name, QStringLiteral("-"));
    QCOMPARE(past.Description, description);
    QCOMPARE(past.Score, 12);
    QCOMPARE(past.Answers, 4);
    QCOMPARE(std::bit_cast<quint64>(past.Date), std::bit_cast<quint64>(record.Date));
    QCOMPARE(past.Duration, record.Duration);

    s.close();
    QCOMPARE(std::bit_cast<quint64>(s.savedRecords().back().Date),
             std::bit_cast<quint64>(s.savedHistory().back().Date));
    QCOMPARE(s.savedHistory().back().Description, description);
}

void RankingTest::gameRankedTwentySecondAsksNothing()
{
    std::deque<OneHiScore> records;
    for (int i = 0; i < 21; ++i)
        records.push_back(named(QStringLiteral("Лучший %1").arg(i), 100 + i));
    for (int i = 1; i <= 3; ++i)
        records.push_back(named(QStringLiteral("Слабый %1").arg(i), i));
    records.push_back(named(QStringLiteral("Другая категория"), 1, 3));
    Session s(records);
    TfmMain &w = s.open();
    s.playGame(2); // 6 points

    QVERIFY(s.sandbox.platform.inputInitials.isEmpty());
    QCOMPARE(s.sandbox.platform.modalShows, 0);
    QCOMPARE(w.categoryRecords().size(), std::size_t(25));
    QCOMPARE(w.categoryRecords()[21], &w.records().back());
    QCOMPARE(w.records().back().Name, QStringLiteral("NewRes"));
    s.close();
    QCOMPARE(s.savedRecords().back().Name, QStringLiteral("NewRes"));
}

void RankingTest::topGameAsksOnceAndShowsWindow()
{
    std::deque<OneHiScore> records;
    for (int i = 0; i < 5; ++i)
        records.push_back(named(QStringLiteral("Игрок %1").arg(i), 10 + i));
    Session s(records);
    TfmMain &w = s.open();
    s.sandbox.platform.inputAnswers = {QStringLiteral("Вася")};
    QString title;
    QString redName;
    s.sandbox.platform.onModal = [&](QDialog &dialog) {
        title = dialog.windowTitle();
        const QLabel *first = labelAt(s.hiScore(), 40, 100);
        if (first && first->palette().color(QPalette::WindowText) == QColor(255, 0, 0))
            redName = first->text();
    };
    s.playGame(10); // 30 points, the first place

    QCOMPARE(s.sandbox.platform.inputInitials, QStringList{QStringLiteral("Player")});
    QVERIFY(s.sandbox.platform.messages.isEmpty());
    QCOMPARE(s.sandbox.platform.modalShows, 1);
    QCOMPARE(title, QStringLiteral("Рекорды"));
    QCOMPARE(redName, QStringLiteral("Вася"));
    QCOMPARE(s.hiScore().HighlightScore, 30);
    QCOMPARE(s.hiScore().HighlightDate, w.session().game().GameEnd);
    QCOMPARE(w.categoryRecords().front(), &w.records().back());
    QCOMPARE(w.records().back().Name, QStringLiteral("Вася"));
    QCOMPARE(control<QLineEdit>(w, "edLastName")->text(), QStringLiteral("Вася"));
    QVERIFY(s.sandbox.platform.errors.isEmpty());
}

void RankingTest::namePrompt_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("lastName");

    const QString forty = QStringLiteral("Александра Константиновна Преображенская");
    QTest::addRow("two_characters_rejected")
        << QStringList{QStringLiteral("Ян"), QStringLiteral("Яна")} << "Яна"
        << QStringList{NameRuleMessage} << "Яна";
    QTest::addRow("forty_characters_stored_as_thirty")
        << QStringList{forty} << forty.left(30) << QStringList{} << forty;
    QTest::addRow("cancel_keeps_player") << QStringList{} << "Player" << QStringList{} << "Player";
    QTest::addRow("rejected_twice_then_accepted")
        << QStringList{QStringLiteral("12"), QStringLiteral("-77"), QStringLiteral("Коля")}
        << "Коля" << QStringList{NameRuleMessage, NameRuleMessage} << "Коля";
    // The records file holds Windows-1251 only: a name is stored as it reads or refused.
    QTest::addRow("name_the_file_cannot_hold")
        << QStringList{QStringLiteral("Zoë 😀"), QStringLiteral("Zoe")} << "Zoe"
        << QStringList{QStringLiteral("В имени есть знаки, которые нельзя сохранить в таблице "
                                      "рекордов: ë😀. Напишите имя русскими или латинскими "
                                      "буквами.")}
        << "Zoe";
}

void RankingTest::namePrompt()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    Session s;
    TfmMain &w = s.open();
    s.sandbox.platform.inputAnswers = answers;
    s.playGame(1);

    QCOMPARE(w.records().back().Name, stored);
    QCOMPARE(s.sandbox.platform.messages, messages);
    QTEST(control<QLineEdit>(w, "edLastName")->text(), "lastName");
    // Each prompt offers the text the last one returned.
    QStringList expectedInitials{QStringLiteral("Player")};
    for (qsizetype i = 0; i < messages.size(); ++i)
        expectedInitials << answers[i];
    QCOMPARE(s.sandbox.platform.inputInitials, expectedInitials);
    s.close();
    QCOMPARE(s.savedRecords().back().Name, stored);
}

void RankingTest::closingDuringGameStoresPlayer1()
{
    Session s;
    TfmMain &w = s.open();
    s.startGame(3);
    QVERIFY(w.isGameRunning());
    s.sandbox.platform.advanceSeconds(6);
    s.close();

    const auto records = s.savedRecords();
    const auto history = s.savedHistory();
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(history.size(), std::size_t(1));
    QCOMPARE(records[0].Name, QStringLiteral("Player1"));
    QCOMPARE(records[0].Score, 9);
    QCOMPARE(records[0].Answers, 3);
    QCOMPARE(records[0].Category, AdditionCode);
    QCOMPARE(records[0].Date, s.sandbox.platform.clock);
    QCOMPARE(milliseconds(records[0].Duration), 15000);
    QCOMPARE(history[0].Name, QStringLiteral("-"));
    QCOMPARE(history[0].Description, QStringLiteral("Сложение от 1 до 30"));
    QCOMPARE(history[0].Date, records[0].Date);
    QVERIFY(s.sandbox.platform.inputInitials.isEmpty());
    QCOMPARE(s.sandbox.platform.modalShows, 0);
}

// Only a running game is stored and named: the last game ended keeps the name it was given.
void RankingTest::closingWithoutGameChangesNothing()
{
    Session s;
    s.open();
    s.sandbox.platform.inputAnswers = {QStringLiteral("Вася")};
    s.playGame(2);
    s.close();
    const auto records = s.savedRecords();
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records[0].Name, QStringLiteral("Вася"));
    QCOMPARE(s.savedHistory().size(), std::size_t(1));
    QVERIFY(s.sandbox.platform.errors.isEmpty());
}

void RankingTest::foreignGameNamesItsDictionary()
{
    const QString dictionary = QStringLiteral("Очень длинное название словаря про зверей.txt");
    Session s;
    TfmMain &w = s.open();
    s.sandbox.writeFile(QStringLiteral("Dic/") + dictionary,
                        toWin1251(QStringLiteral("Звери\r\ncat\tкошка\r\ndog\tсобака\r\n"
                                                 "cow\tкорова\r\nfox\tлиса\r\nowl\tсова\r\n")));
    selectKind(w, ExerciseKind::ForeignLanguage);
    QCOMPARE(control<QComboBox>(w, "cmbDicFiles")->currentText(), dictionary);
    w.btStartClick();
    QVERIFY(w.isGameRunning());
    s.close();

    const QString full = QStringLiteral("Иностранный язык ") + dictionary;
    QVERIFY(full.size() > 50);
    QCOMPARE(s.savedHistory().back().Description, full.left(50));
    QCOMPARE(s.savedRecords().back().Category,
             categoryCode(int(ExerciseKind::ForeignLanguage), dictionary, false));
}

void RankingTest::unreadableFileIsNeverOverwritten_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("other");
    QTest::addColumn<int>("games");
    QTest::addRow("records_file_is_a_folder") << RecordsFile << HistoryFile << 1;
    QTest::addRow("history_file_is_a_folder") << HistoryFile << RecordsFile << 1;
    QTest::addRow("no_game_lost_no_error_at_exit") << RecordsFile << HistoryFile << 0;
}

void RankingTest::unreadableFileIsNeverOverwritten()
{
    QFETCH(QString, blocked);
    QFETCH(QString, other);
    QFETCH(int, games);
    Session s;
    s.sandbox.writeFile(blocked + QStringLiteral("/keep.txt"), "precious");
    TfmMain &w = s.open();
    QCOMPARE(s.sandbox.platform.errors.size(), 1);
    QVERIFY2(s.sandbox.platform.errors[0].contains(blocked),
             qPrintable(s.sandbox.platform.errors[0]));
    for (int i = 0; i < games; ++i)
        s.playGame(2);
    QCOMPARE(w.records().size(), std::size_t(games)); // the run itself goes on as usual
    s.close();

    QVERIFY(QFileInfo(s.sandbox.path(blocked)).isDir());
    QCOMPARE(s.sandbox.readFile(blocked + QStringLiteral("/keep.txt")), QByteArray("precious"));
    // The other file is saved all the same.
    const qsizetype recordBytes = other == RecordsFile ? 72 : 112;
    QCOMPARE(s.sandbox.readFile(other).size(), games * recordBytes);
    if (games == 0) {
        QCOMPARE(s.sandbox.platform.errors.size(), 1);
        return;
    }
    // The games that could not be kept are reported, and no save was tried.
    QCOMPARE(s.sandbox.platform.errors.size(), 2);
    const QString &atExit = s.sandbox.platform.errors[1];
    QVERIFY2(atExit.contains(blocked) && atExit.contains(QStringLiteral("не удалось прочитать")),
             qPrintable(atExit));
}

void RankingTest::hiscoreButton()
{
    std::deque<OneHiScore> records = {named(QStringLiteral("Ира"), 9),
                                      named(QStringLiteral("Лёва"), 15)};
    Session s(records);
    TfmMain &w = s.open();
    int labels = -1;
    QString title;
    s.sandbox.platform.onModal = [&](QDialog &dialog) {
        title = dialog.windowTitle();
        labels = labelCount(s.hiScore());
    };
    w.btHiscoreClick();
    QCOMPARE(s.sandbox.platform.modalShows, 1);
    QCOMPARE(title, QStringLiteral("Рекорды"));
    QCOMPARE(labels, 8 + 2 * 8 + 4);
    QCOMPARE(labelAt(s.hiScore(), 40, 100)->text(), QStringLiteral("Лёва"));
    QCOMPARE(labelAt(s.hiScore(), 20, 20)->text(), QStringLiteral("Действие : Сложение"));

    // A category without entries: the caption and no table.
    setRange(w, QStringLiteral("5"), QStringLiteral("50"));
    w.btHiscoreClick();
    QCOMPARE(s.sandbox.platform.modalShows, 2);
    QCOMPARE(title, QStringLiteral("Рекорды"));
    QCOMPARE(labels, 0);
    QVERIFY(w.categoryRecords().empty());
}

void RankingTest::hiscoreButtonAsksUnnamedEntries()
{
    std::deque<OneHiScore> records = {named(QStringLiteral("NewRes"), 9),
                                      named(QStringLiteral("Лёва"), 15)};
    Session s(records);
    TfmMain &w = s.open();
    s.sandbox.platform.inputAnswers = {QStringLiteral("Дима")};
    w.btHiscoreClick();
    QCOMPARE(s.sandbox.platform.inputInitials.size(), 1);
    QCOMPARE(w.records()[0].Name, QStringLiteral("Дима"));
    QCOMPARE(s.hiScore().HighlightScore, 0); // the button leaves the highlight alone
    QCOMPARE(s.sandbox.platform.modalShows, 1);
}

void RankingTest::hiscoreButtonWithBadRange()
{
    Session s({named(QStringLiteral("Ира"), 9)});
    TfmMain &w = s.open();
    w.btHiscoreClick();
    QCOMPARE(w.categoryRecords().size(), std::size_t(1));
    const int shown = s.sandbox.platform.modalShows;

    setRange(w, QStringLiteral("1"), QStringLiteral("три"));
    control<QPushButton>(w, "btHiscore")->click();
    QCOMPARE(s.sandbox.platform.errors,
             QStringList{QStringLiteral("'три' is not a valid integer value.")});
    QCOMPARE(s.sandbox.platform.modalShows, shown);
    QCOMPARE(w.categoryRecords().size(), std::size_t(1));
}

void RankingTest::historyButton()
{
    std::deque<OneHistory> history(3);
    for (int i = 0; i < 3; ++i) {
        history[std::size_t(i)].Name = QStringLiteral("-");
        history[std::size_t(i)].Description = QStringLiteral("Игра %1").arg(i + 1);
    }
    Session s({}, history);
    TfmMain &w = s.open();
    QString title;
    s.sandbox.platform.onModal = [&](QDialog &dialog) {
        title = dialog.windowTitle();
    };
    w.btHistoryClick();
    QCOMPARE(s.sandbox.platform.modalShows, 1);
    QCOMPARE(title, QStringLiteral("История"));
    QCOMPARE(labelAt(s.hiScore(), 20, 35)->text(), QStringLiteral("3)"));
    QCOMPARE(labelAt(s.hiScore(), 270, 35)->text(), QStringLiteral("Игра 3"));
    QCOMPARE(labelAt(s.hiScore(), 20, 65)->text(), QStringLiteral("1)"));
}

// The game runs on behind an open records window; its end refills that window in place.
void RankingTest::gameEndingBehindOpenWindowRefillsIt()
{
    Session s({named(QStringLiteral("Ира"), 9)});
    TfmMain &w = s.open();
    w.btHistoryClick();
    s.hiScore().show();
    QVERIFY(s.hiScore().isVisible());
    const int shown = s.sandbox.platform.modalShows;
    s.sandbox.platform.inputAnswers = {QStringLiteral("Вася")};
    s.playGame(5);

    QCOMPARE(s.sandbox.platform.modalShows, shown);
    QVERIFY(s.sandbox.platform.errors.isEmpty());
    QCOMPARE(s.hiScore().windowTitle(), QStringLiteral("Рекорды"));
    const QLabel *first = labelAt(s.hiScore(), 40, 100);
    QVERIFY(first);
    QCOMPARE(first->text(), QStringLiteral("Вася"));
    QCOMPARE(first->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    s.hiScore().hide();
}

QTEST_MAIN(RankingTest)
#include "tst_ranking.moc"
