// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the records without a window: which names a player may give, how a name is
// stored, the order of a category's table, and the texts of a row of the records and history.
#include <QTest>

#include "main/rules/CategoryRanking.h"
#include "main/rules/PlayerName.h"
#include "main/rules/ResultTexts.h"

namespace {

constexpr RecordCategory Addition1To30{1, 30, 0};
constexpr int HistoryRow = -2; // in place of the errors: the row is one of the history

TDateTime seconds(double s)
{
    return s / 86400;
}

OneHiScore entry(const QString &name, qint32 score, qint32 maxValue = 30, qint32 category = 0)
{
    OneHiScore result;
    result.Name = name;
    result.MinValue = 1;
    result.MaxValue = maxValue;
    result.Category = category;
    result.Score = score;
    return result;
}

QStringList names(const std::vector<OneHiScore *> &ranked)
{
    QStringList result;
    for (const OneHiScore *e : ranked)
        result << e->Name;
    return result;
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void acceptableNames_data();
    void acceptableNames();
    void storedNameKeepsThirtyCharacters();
    void unstorableChars_data();
    void unstorableChars();
    void categoryTable();
    void rowTexts_data();
    void rowTexts();
};

void RecordsTest::acceptableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("acceptable");

    QTest::addRow("two_characters") << QStringLiteral("Ян") << false;
    QTest::addRow("three_letters") << QStringLiteral("Аня") << true;
    QTest::addRow("three_digits") << QStringLiteral("123") << false;
    QTest::addRow("negative_number") << QStringLiteral("-77") << false;
    QTest::addRow("three_zeros_read_as_zero") << QStringLiteral("000") << true;
    QTest::addRow("digits_then_letter") << QStringLiteral("12a") << true;
    QTest::addRow("blanks_then_number") << QStringLiteral("  5") << false;
    QTest::addRow("hex_number") << QStringLiteral("$1F") << false;
    QTest::addRow("hex_zero") << QStringLiteral("0x0") << true;
    QTest::addRow("three_blanks") << QStringLiteral("   ") << true;
    QTest::addRow("beyond_integer_range") << QStringLiteral("99999999999") << true;
}

void RecordsTest::acceptableNames()
{
    QFETCH(QString, name);
    QTEST(isAcceptableName(name), "acceptable");
}

void RecordsTest::storedNameKeepsThirtyCharacters()
{
    const QString forty = QStringLiteral("Александра Константиновна Преображенская");
    QCOMPARE(forty.size(), 40);
    QCOMPARE(storedName(forty), forty.left(30));
    QCOMPARE(storedName(QStringLiteral("Маша")), QStringLiteral("Маша"));
}

void RecordsTest::unstorableChars_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lost");

    QTest::addRow("russian_and_latin") << QStringLiteral("Петя Ivanov ёЁ") << QString();
    QTest::addRow("each_once_in_order") << QStringLiteral("Zoë 😀 ë") << QStringLiteral("ë😀");
    QTest::addRow("other_cyrillic") << QStringLiteral("Тарас Ґ") << QString();
    QTest::addRow("greek") << QStringLiteral("Αλφα") << QStringLiteral("Αλφα");
    QTest::addRow("whole_characters_beyond_16_bits")
        << QStringLiteral("Zoë😀😃😀") << QStringLiteral("ë😀😃");
}

void RecordsTest::unstorableChars()
{
    QFETCH(QString, name);
    QTEST(::unstorableChars(name), "lost");
}

// Highest score first, the older entry ahead on equal scores; other ranges and kinds stay out.
void RecordsTest::categoryTable()
{
    std::deque<OneHiScore> records{
        entry(QStringLiteral("a"), 10),
        entry(QStringLiteral("b"), 30),
        entry(QStringLiteral("other range"), 99, 100),
        entry(QStringLiteral("other kind"), 99, 30, 1),
        entry(QStringLiteral("c"), 10),
        entry(QStringLiteral("d"), 20),
        entry(QStringLiteral("e"), 30),
    };
    const std::vector<OneHiScore *> ranked = rankCategory(records, Addition1To30);
    QCOMPARE(names(ranked),
             (QStringList{QStringLiteral("b"), QStringLiteral("e"), QStringLiteral("d"),
                          QStringLiteral("a"), QStringLiteral("c")}));
    QCOMPARE(ranked.front(), &records[1]);
    QVERIFY(CompareByScore(records[0], records[1]) > 0);
    QCOMPARE(CompareByScore(records[0], records[4]), 0);
}

void RecordsTest::rowTexts_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<TDateTime>("date");
    QTest::addColumn<TDateTime>("duration");
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QStringList>("texts");

    const QLocale ru(QLocale::Russian, QLocale::Russia);
    const TDateTime morning = 46000 + seconds(9 * 3600 + 5 * 60 + 7); // 09-12-2025 09:05:07
    const QString date = QStringLiteral("09-12-2025 09:05:07");
    const auto row = [](const QString &d, const char *duration, const char *answers,
                        const char *average, const char *errors) {
        return QStringList{QStringLiteral("3)"), QStringLiteral("Аня"), QStringLiteral("17"), d}
               << QLatin1String(duration) << QLatin1String(answers) << QLatin1String(average)
               << QLatin1String(errors);
    };
    QTest::addRow("thirty_answers_in_2m15s")
        << ru << morning << seconds(135) << 30 << 4 << row(date, "00:02:15", "30", "04.500", "4");
    QTest::addRow("no_right_answers")
        << ru << morning << seconds(20) << 0 << 10 << row(date, "00:00:20", "0", "-", "10");
    QTest::addRow("average_of_1m15s_shows_seconds_only")
        << ru << morning << seconds(150) << 2 << 0 << row(date, "00:02:30", "2", "15.000", "0");
    QTest::addRow("longer_than_a_day") << ru << morning << 1 + seconds(3 * 3600 + 4 * 60 + 5) << 1
                                       << 0 << row(date, "03:04:05", "1", "05.000", "0");
    QTest::addRow("errors_unknown")
        << ru << morning << seconds(60) << 3 << -1 << row(date, "00:01:00", "3", "20.000", "-");
    QTest::addRow("midnight_date_without_time")
        << ru << 46000.0 << seconds(60) << 3 << 1
        << row(QStringLiteral("09-12-2025"), "00:01:00", "3", "20.000", "1");
    // The moment of a game gets its day-half marker, but a duration stays a count of hours.
    QTest::addRow("twelve_hour_locale")
        << QLocale(QLocale::English, QLocale::UnitedStates)
        << 46000 + seconds(15 * 3600 + 4 * 60 + 5) << seconds(125) << 1 << 0
        << row(QStringLiteral("09-12-2025 3:04:05 PM"), "0:02:05", "1", "05.000", "0");
    QTest::addRow("history") << ru << morning << seconds(61) << 1 << HistoryRow
                             << QStringList{QStringLiteral("3)"), QStringLiteral("17"), date,
                                            QStringLiteral("00:01:01"),
                                            QStringLiteral("Сложение от 1 до 30")};
}

void RecordsTest::rowTexts()
{
    QFETCH(QLocale, locale);
    QFETCH(TDateTime, date);
    QFETCH(TDateTime, duration);
    QFETCH(int, answers);
    QFETCH(int, errors);
    const QString name = QStringLiteral("Аня");
    if (errors == HistoryRow) {
        const QString description = QStringLiteral("Сложение от 1 до 30");
        QTEST(historyRowTexts({name, description, 17, date, duration, answers}, 3, locale),
              "texts");
    } else {
        QTEST(recordsRowTexts({name, 1, 30, 0, 17, date, duration, answers, errors}, 3, locale),
              "texts");
    }
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
