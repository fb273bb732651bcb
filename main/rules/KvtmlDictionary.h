// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary files of KDE's trainers (Parley, KWordQuiz, KHangMan), read as dictionaries of the
// drill. KVTML 2 keeps an entry's word in its <translation id="0"> and the translation in its
// <translation id="1">, each as a <text>; KVTML 1 keeps them in the <o> and the first <t> of an
// <e>. Each pair becomes one entry line "word<TAB>translation", as parseDictionary gives for text
// files, so the drill takes them unchanged, whatever the two languages are. Lessons, word types
// and the rest are skipped: every entry of the file is drilled once.
//
// Anyone can hand a child such a file, so XML that makes a small file large is refused: an
// entity declared in the document type, or a reference to an entity that is not one of XML's
// own five. QXmlStreamReader fetches no external document type or entity.
//
// QXmlStreamReader is slow for the largest dictionaries, so files of the usual plain shape are
// read by the scanner of KvtmlScanner.h first; whatever it leaves goes to QXmlStreamReader.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Whether a dictionary of this name is read as KVTML: it ends in ".kvtml", in any letter case.
bool isKvtmlFileName(QStringView name);

// Whether the bytes hold a KVTML 2 translation with identifier 1 (in either quotes) whose text is
// not empty: a look without parsing, for listings of word lists most of which hold one language
// only, some with an empty second side.
bool holdsSecondTranslation(QByteArrayView bytes);

// The entry lines in file order, at most MaxDictionaryEntries; the rest of the file is left
// unread. An entry without both texts is left out; a TAB, CR or LF inside a text becomes a blank,
// and blanks around a text are dropped. Throws Error naming `path` when the XML is broken or cut
// off, holds entities as above, or is no KVTML at all: no part of such a file is drilled.
QStringList parseKvtml(QByteArrayView bytes, const QString &path);

// The same through QXmlStreamReader alone, without the scanner in front: the authority the fuzz
// target holds the scanner to.
QStringList parseKvtmlXml(QByteArrayView bytes, const QString &path);
