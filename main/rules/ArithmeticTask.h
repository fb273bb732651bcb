// SPDX-License-Identifier: GPL-3.0-or-later
// The four arithmetic tasks drawn from a number range. Addition and subtraction draw the sum or
// minuend from the range; multiplication and division draw factors between the square roots
// of the bounds, so a product never exceeds the upper bound.
#pragma once

#include <QString>

class RandomGenerator;

enum class Operation : int {
    Addition = 0,
    Subtraction = 1,
    Multiplication = 3,
    Division = 4,
};

struct ArithmeticTask {
    QString caption; // for example "7+5"
    qint32 answer = 0;
};

bool isArithmetic(qint32 operation);

// Whether the range gives meaningful tasks: 1 <= min <= max for addition and subtraction,
// 0 <= min <= max for multiplication and division.
bool rangeSuitsOperation(Operation operation, qint32 minValue, qint32 maxValue);

// The range must suit the operation.
ArithmeticTask makeArithmeticTask(Operation operation, qint32 minValue, qint32 maxValue,
                                  RandomGenerator &random);
