// The rules of the records without a window: which names a player may give, how a name is
// stored, and the order of a category's table.
#include <QTest>

#include "main/rules/CategoryRanking.h"
#include "main/rules/PlayerName.h"

namespace {

constexpr RecordCategory Addition1To30{1, 30, 0};

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

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
