// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window on a folder of result files, as a parent or teacher sees it: the choosers'
// items, the table a filter gives, the damaged dates and read errors named in the window, and
// the folder left as it was. What the summaries compute is the rules' (tst_progress).
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include "Progress/TfmProgress.h"
#include "main/rules/ResultCodec.h"
#include "scripted/ScriptedPlatform.h"
#include "support/FileBytes.h"
#include "ui/ApplicationSetup.h"

namespace {

const TDateTime Noon = 46000.5; // 09-12-2025 12:00:00
const QString Addition = QStringLiteral("Сложение от 1 до 30");
const QString Multiplication = QStringLiteral("Умножение от 1 до 10");
const QString Masha = QStringLiteral("Маша");
const QString Petya = QStringLiteral("Петя");
constexpr TDateTime NoDate = 1e12;

OneHistory game(const QString &name, const QString &exercise, qint32 score, TDateTime daysAgo,
                double minutes, qint32 answers)
{
    return {name, exercise, score, Noon - daysAgo, minutes / MinutesPerDay, answers};
}

// The records entry of the same game.
OneHiScore record(const OneHistory &game, qint32 errors)
{
    return {game.Name, 1, 30, 0, game.Score, game.Date, game.Duration, game.Answers, errors};
}

// Every file of the folder by name, with its bytes.
std::map<QString, QByteArray> contents(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = readAll(folder + QLatin1Char('/') + name);
    return files;
}

QStringList itemsOf(const QComboBox &chooser)
{
    QStringList items;
    for (int i = 0; i < chooser.count(); ++i)
        items << chooser.itemText(i);
    return items;
}

// The table's cells, a row per line.
QList<QStringList> cellsOf(const QTableWidget &table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.item(row, column)->text();
        rows << cells;
    }
    return rows;
}

template<typename Control> Control &child(const QWidget &window, const char *name)
{
    auto *found = window.findChild<Control *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return *found;
}

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void tableOfFilter_data();
    void tableOfFilter();
    void readsFolderWithoutChangingIt();
    void unreadableFileNamedInWindow();
    void reportIsOnePdfPage();

private:
    ScriptedPlatform m_fake;
    std::unique_ptr<PlatformOverride> m_override;
    QTemporaryDir m_folder;
};

void ProgressWindowTest::initTestCase()
{
    setUpApplication(*qApp);
    m_fake.clock = Noon;
    m_override = std::make_unique<PlatformOverride>(m_fake);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void ProgressWindowTest::init()
{
    QDir(m_folder.path()).removeRecursively();
    QDir().mkpath(m_folder.path());
    const std::deque<OneHistory> games{
        game(Masha, Addition, 150, 40, 1, 20),
        game(Petya, Addition, 120, 3, 1.5, 15),
        game(Masha, Multiplication, 80, 2, 3, 30),
        game(Masha, Addition, 100, 1, 2, 30),
        {Masha, Addition, 500, NoDate, 1 / MinutesPerDay, 10},
    };
    writeAll(m_folder.filePath(QStringLiteral("SaveRes.hst")), encodeEntries(games));
    writeAll(m_folder.filePath(QStringLiteral("SaveRes.res")),
             encodeEntries(std::deque<OneHiScore>{record(games[0], 9), record(games[1], -1),
                                                  record(games[2], 6), record(games[3], 2)}));
    m_fake.errors.clear();
}

void ProgressWindowTest::tableOfFilter_data()
{
    QTest::addColumn<int>("player");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("period");
    QTest::addColumn<QList<QStringList>>("rows");

    const QStringList petya{Petya,
                            QStringLiteral("1"),
                            QStringLiteral("0:01:30"),
                            QStringLiteral("Сложение от 1 до 30: 120"),
                            QStringLiteral("10,0"),
                            QStringLiteral("06-12-2025 12:00:00"),
                            QStringLiteral("—")};
    QTest::addRow("everyone_all_time")
        << 0 << 0 << 2
        << QList<QStringList>{{Masha, QStringLiteral("3"), QStringLiteral("0:06:00"),
                               QStringLiteral("Сложение от 1 до 30: 150\nУмножение от 1 до 10: 80"),
                               QStringLiteral("13,3"), QStringLiteral("08-12-2025 12:00:00"),
                               QStringLiteral("5,7")},
                              petya};
    QTest::addRow("one_player") << 2 << 0 << 2 << QList<QStringList>{petya};
    QTest::addRow("one_exercise")
        << 0 << 2 << 2
        << QList<QStringList>{{Masha, QStringLiteral("1"), QStringLiteral("0:03:00"),
                               QStringLiteral("Умножение от 1 до 10: 80"), QStringLiteral("10,0"),
                               QStringLiteral("07-12-2025 12:00:00"), QStringLiteral("6,0")}};
    QTest::addRow("last_week_leaves_old_game_out")
        << 0 << 0 << 0
        << QList<QStringList>{{Masha, QStringLiteral("2"), QStringLiteral("0:05:00"),
                               QStringLiteral("Сложение от 1 до 30: 100\nУмножение от 1 до 10: 80"),
                               QStringLiteral("12,0"), QStringLiteral("08-12-2025 12:00:00"),
                               QStringLiteral("4,0")},
                              petya};
}

void ProgressWindowTest::tableOfFilter()
{
    QFETCH(int, player);
    QFETCH(int, exercise);
    QFETCH(int, period);
    QFETCH(QList<QStringList>, rows);

    TfmProgress window(m_folder.path());
    child<QComboBox>(window, "cmbPlayer").setCurrentIndex(player);
    child<QComboBox>(window, "cmbExercise").setCurrentIndex(exercise);
    child<QComboBox>(window, "cmbPeriod").setCurrentIndex(period);
    QCOMPARE(cellsOf(child<QTableWidget>(window, "tbPlayers")), rows);
    QCOMPARE(m_fake.errors, QStringList());
}

void ProgressWindowTest::readsFolderWithoutChangingIt()
{
    const std::map<QString, QByteArray> before = contents(m_folder.path());
    {
        TfmProgress window(m_folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(itemsOf(child<QComboBox>(window, "cmbPlayer")),
                 QStringList({QStringLiteral("все"), Masha, Petya}));
        QCOMPARE(itemsOf(child<QComboBox>(window, "cmbExercise")),
                 QStringList({QStringLiteral("все"), Addition, Multiplication}));
        QCOMPARE(itemsOf(child<QComboBox>(window, "cmbPeriod")),
                 QStringList({QStringLiteral("неделя"), QStringLiteral("месяц"),
                              QStringLiteral("всё время")}));
        QCOMPARE(child<QComboBox>(window, "cmbPeriod").currentIndex(), 2);
        const QLabel &damaged = child<QLabel>(window, "lbDamaged");
        QVERIFY(damaged.isVisibleTo(&window));
        QCOMPARE(damaged.text(), QStringLiteral("Не показаны игры с повреждённой датой: 1"));
        QVERIFY(!child<QLabel>(window, "lbErrors").isVisibleTo(&window));
        child<QComboBox>(window, "cmbPlayer").setCurrentIndex(2);
        QVERIFY(!damaged.isVisibleTo(&window));
    }
    QVERIFY(contents(m_folder.path()) == before);
}

void ProgressWindowTest::unreadableFileNamedInWindow()
{
    // A folder in the history file's place cannot be read as a file.
    QFile::remove(m_folder.filePath(QStringLiteral("SaveRes.hst")));
    QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("SaveRes.hst")));
    TfmProgress window(m_folder.path());
    const QLabel &errors = child<QLabel>(window, "lbErrors");
    QVERIFY(errors.isVisibleTo(&window));
    QVERIFY(errors.text().contains(QStringLiteral("SaveRes.hst")));
    QVERIFY(!errors.text().contains(QStringLiteral("SaveRes.res")));
    QCOMPARE(child<QTableWidget>(window, "tbPlayers").rowCount(), 0);
    QCOMPARE(m_fake.errors, QStringList());
}

void ProgressWindowTest::reportIsOnePdfPage()
{
    const QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("Успехи.pdf"));
    TfmProgress window(m_folder.path());
    window.exportReport(path);
    const QByteArray pdf = readAll(path);
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count("/Type /Page\n"), 1);
    QVERIFY(pdf.contains("/Count 1"));
}

QTEST_MAIN(ProgressWindowTest)
#include "tst_progresswindow.moc"
