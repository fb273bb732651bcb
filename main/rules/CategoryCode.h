// SPDX-License-Identifier: GPL-3.0-or-later
// Category codes name the drill settings in the records: the exercise kind, or for the
// foreign-language kind a hash of the dictionary's file name and the direction.
#pragma once

#include <QByteArrayView>
#include <QString>

// h = 31 * h + byte over the 8-bit (Windows-1251) form of a text, modulo 2^32, read as signed.
qint32 NameHash(QByteArrayView text);

// kindIndex is the index of cmbAction (-1 when none is selected).
qint32 categoryCode(int kindIndex, const QString &dictionaryFile, bool reversed);
