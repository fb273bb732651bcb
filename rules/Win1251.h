// SPDX-License-Identifier: GPL-3.0-or-later
// 8-bit text of the program's files (records, history, settings, 8-bit dictionaries) is
// Windows-1251, so that files stay byte-compatible with those written on Russian Windows.
#pragma once

#include <QByteArray>
#include <QString>

// Characters that Windows-1251 cannot hold become "?".
QByteArray toWin1251(QStringView text);
QString fromWin1251(QByteArrayView bytes);
