// SPDX-License-Identifier: GPL-3.0-or-later
// A quick reader for KVTML files of the plain shape KDE's trainers save. QXmlStreamReader alone
// takes about 15 ns a byte, some 80 ms for a 20 000-entry file of 5.6 MB, where a dictionary has
// 15 ms to load (docs/performance.md); this scanner walks the UTF-8 bytes once instead. For every
// file it accepts it gives the very entry lines of the reader in KvtmlDictionary.cpp; on anything
// unusual (CDATA, processing instructions, a document type with its own declarations, entities
// other than XML's five, another encoding, invalid UTF-8, names with prefixes or beyond ASCII,
// broken or cut markup) it gives up and the file goes to QXmlStreamReader, which alone decides
// what is refused and says why.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The entry lines as parseKvtml gives them, or nothing when the file is left to the XML reader.
std::optional<QStringList> scanPlainKvtml(QByteArrayView bytes);

// "word<TAB>translation" of an entry's two texts, made the same way by both readers; empty when a
// side holds no text.
QString kvtmlEntryLine(QStringView word, QStringView translation);
