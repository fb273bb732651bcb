// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/ArithmeticTask.h"

#include <cmath>

#include "rules/RandomGenerator.h"

namespace {

qint32 truncatedRoot(qint32 value)
{
    return static_cast<qint32>(std::sqrt(static_cast<double>(value)));
}

QString join(qint32 left, char sign, qint32 right)
{
    return QString::number(left) + QLatin1Char(sign) + QString::number(right);
}

} // namespace

bool isArithmetic(qint32 operation)
{
    switch (static_cast<Operation>(operation)) {
    case Operation::Addition:
    case Operation::Subtraction:
    case Operation::Multiplication:
    case Operation::Division:
        return true;
    }
    return false;
}

bool rangeSuitsOperation(Operation operation, qint32 minValue, qint32 maxValue)
{
    const qint32 lowest =
        operation == Operation::Addition || operation == Operation::Subtraction ? 1 : 0;
    return lowest <= minValue && minValue <= maxValue;
}

ArithmeticTask makeArithmeticTask(Operation operation, qint32 minValue, qint32 maxValue,
                                  RandomGenerator &random)
{
    Q_ASSERT(rangeSuitsOperation(operation, minValue, maxValue));
    const auto count =
        static_cast<qint32>(static_cast<quint32>(maxValue) - static_cast<quint32>(minValue) + 1u);
    ArithmeticTask task;
    switch (operation) {
    case Operation::Addition: {
        const qint32 sum = minValue + random.next(count);
        const qint32 first = 1 + random.next(sum - 1);
        task = {join(first, '+', sum - first), sum};
        break;
    }
    case Operation::Subtraction: {
        const qint32 minuend = minValue + random.next(count);
        const qint32 subtrahend = 1 + random.next(minuend - 1);
        task = {join(minuend, '-', subtrahend), minuend - subtrahend};
        break;
    }
    case Operation::Multiplication: {
        const qint32 high = truncatedRoot(maxValue);
        const qint32 low = truncatedRoot(minValue);
        const qint32 a = low + random.next(high - low + 1);
        const qint32 b = low + random.next(high - low + 1);
        task = {join(a, '*', b), a * b};
        break;
    }
    case Operation::Division: {
        const qint32 high = truncatedRoot(maxValue);
        const qint32 low = truncatedRoot(minValue);
        const qint32 quotient = low + random.next(high - low + 1);
        qint32 divisor = low + random.next(high - low + 1);
        if (divisor == 0)
            divisor = 1;
        task = {join(quotient * divisor, ':', divisor), quotient};
        break;
    }
    }
    return task;
}
