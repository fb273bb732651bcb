// SPDX-License-Identifier: GPL-3.0-or-later
// The four arithmetic tasks over many seeded draws: operands, answers and captions stay in
// the bounds that the number range sets, including the corner cases of tiny ranges.
#include <QRegularExpression>
#include <QTest>

#include <set>

#include "main/rules/ArithmeticTask.h"
#include "rules/RandomGenerator.h"

namespace {

constexpr int Draws = 4000;

struct Parsed {
    qint32 left = 0;
    QChar sign;
    qint32 right = 0;
};

Parsed parse(const QString &caption)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+)([-+*:])(\\d+)$"));
    const auto match = shape.match(caption);
    if (!match.hasMatch())
        qFatal("caption of unexpected shape: %s", qPrintable(caption));
    return {match.captured(1).toInt(), match.captured(2).at(0), match.captured(3).toInt()};
}

} // namespace

class ArithmeticTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomRange();
    void tasksStayInRange_data();
    void tasksStayInRange();
    void rangeRules_data();
    void rangeRules();
};

void ArithmeticTest::randomRange()
{
    RandomGenerator random;
    random.seed(7);
    QCOMPARE(random.next(0), 0);
    QCOMPARE(random.next(1), 0);
    std::set<qint32> seen;
    for (int i = 0; i < Draws; ++i) {
        const qint32 r = random.next(6);
        QVERIFY(r >= 0 && r < 6);
        seen.insert(r);
    }
    QCOMPARE(seen.size(), std::size_t(6));

    RandomGenerator again;
    again.seed(7);
    RandomGenerator same;
    same.seed(7);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(again.next(1000), same.next(1000));
}

void ArithmeticTest::tasksStayInRange_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    // Bounds every draw must keep: operand ranges and answer range.
    QTest::addColumn<int>("leftLow");
    QTest::addColumn<int>("leftHigh");
    QTest::addColumn<int>("rightLow");
    QTest::addColumn<int>("rightHigh");
    QTest::addColumn<int>("answerLow");
    QTest::addColumn<int>("answerHigh");

    const int add = int(Operation::Addition), sub = int(Operation::Subtraction);
    const int mul = int(Operation::Multiplication), div = int(Operation::Division);
    QTest::addRow("addition_1_30") << add << 1 << 30 << 1 << 29 << 0 << 29 << 1 << 30;
    QTest::addRow("subtraction_1_30") << sub << 1 << 30 << 1 << 30 << 1 << 29 << 0 << 29;
    QTest::addRow("multiplication_1_30") << mul << 1 << 30 << 1 << 5 << 1 << 5 << 1 << 25;
    QTest::addRow("division_1_30") << div << 1 << 30 << 1 << 25 << 1 << 5 << 1 << 5;
    QTest::addRow("multiplication_1_100") << mul << 1 << 100 << 1 << 10 << 1 << 10 << 1 << 100;
    QTest::addRow("multiplication_0_10") << mul << 0 << 10 << 0 << 3 << 0 << 3 << 0 << 9;
    QTest::addRow("division_0_3") << div << 0 << 3 << 0 << 1 << 1 << 1 << 0 << 1;
    QTest::addRow("addition_1_1") << add << 1 << 1 << 1 << 1 << 0 << 0 << 1 << 1;
    QTest::addRow("subtraction_1_1") << sub << 1 << 1 << 1 << 1 << 1 << 1 << 0 << 0;
    QTest::addRow("addition_50_60") << add << 50 << 60 << 1 << 59 << 1 << 59 << 50 << 60;
    QTest::addRow("addition_huge")
        << add << 1 << 2147483647 << 1 << 2147483646 << 0 << 2147483646 << 1 << 2147483647;
    QTest::addRow("multiplication_huge")
        << mul << 0 << 2147483647 << 0 << 46340 << 0 << 46340 << 0 << 2147395600;
}

void ArithmeticTest::tasksStayInRange()
{
    QFETCH(int, operation);
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, leftLow);
    QFETCH(int, leftHigh);
    QFETCH(int, rightLow);
    QFETCH(int, rightHigh);
    QFETCH(int, answerLow);
    QFETCH(int, answerHigh);

    const auto op = static_cast<Operation>(operation);
    const QChar signs[] = {u'+', u'-', u'?', u'*', u':'};
    RandomGenerator random;
    random.seed(2024);
    std::set<qint32> answers;
    for (int i = 0; i < Draws; ++i) {
        const ArithmeticTask task = makeArithmeticTask(op, minValue, maxValue, random);
        const Parsed p = parse(task.caption);
        QCOMPARE(p.sign, signs[operation]);
        QVERIFY2(p.left >= leftLow && p.left <= leftHigh, qPrintable(task.caption));
        QVERIFY2(p.right >= rightLow && p.right <= rightHigh, qPrintable(task.caption));
        QVERIFY2(task.answer >= answerLow && task.answer <= answerHigh, qPrintable(task.caption));
        switch (op) {
        case Operation::Addition:
            QCOMPARE(qint64(p.left) + p.right, qint64(task.answer));
            // Both addends are at least 1, except for the one task a sum of 1 allows.
            if (p.right == 0)
                QCOMPARE(task.caption, QStringLiteral("1+0"));
            QVERIFY(task.answer >= minValue && task.answer <= maxValue);
            break;
        case Operation::Subtraction:
            QCOMPARE(p.left - p.right, task.answer);
            if (task.answer == 0)
                QCOMPARE(task.caption, QStringLiteral("1-1"));
            QVERIFY(p.left >= minValue && p.left <= maxValue);
            break;
        case Operation::Multiplication:
            QCOMPARE(qint64(p.left) * p.right, qint64(task.answer));
            break;
        case Operation::Division:
            QCOMPARE(p.left, task.answer * p.right);
            break;
        }
        answers.insert(task.answer);
    }
    // Small ranges must reach every answer they allow.
    if (op == Operation::Addition && maxValue <= 60)
        QCOMPARE(int(answers.size()), maxValue - minValue + 1);
    if (op == Operation::Division && maxValue == 30)
        QCOMPARE(int(answers.size()), 5);
}

void ArithmeticTest::rangeRules_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<bool>("suits");
    const int add = int(Operation::Addition), div = int(Operation::Division);
    QTest::addRow("addition_1_30") << add << 1 << 30 << true;
    QTest::addRow("addition_from_0") << add << 0 << 30 << false;
    QTest::addRow("addition_negative") << add << -5 << 30 << false;
    QTest::addRow("addition_reversed") << add << 30 << 1 << false;
    QTest::addRow("addition_single") << add << 7 << 7 << true;
    QTest::addRow("division_from_0") << div << 0 << 3 << true;
    QTest::addRow("division_negative") << div << -1 << 3 << false;
    QTest::addRow("division_reversed") << div << 9 << 4 << false;
}

void ArithmeticTest::rangeRules()
{
    QFETCH(int, operation);
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(bool, suits);
    QCOMPARE(rangeSuitsOperation(static_cast<Operation>(operation), minValue, maxValue), suits);
}

QTEST_GUILESS_MAIN(ArithmeticTest)
#include "tst_arithmetic.moc"
