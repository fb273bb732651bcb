// SPDX-License-Identifier: GPL-3.0-or-later
// The rule for the name a player gives a records entry: at least three characters, and not a
// number (a text that reads as 0 is let through). The entry keeps the first 30 characters.
#pragma once

#include <QString>

bool isAcceptableName(const QString &name);
QString storedName(const QString &name);
// The characters of the name that the records file cannot hold (it keeps names in
// Windows-1251), whole characters each once (an emoji is one, not two UTF-16 units); empty when
// the name is stored as it reads.
QString unstorableChars(QStringView name);
