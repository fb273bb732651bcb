// SPDX-License-Identifier: GPL-3.0-or-later
// File names as the system holds them: any bytes but "/" and NUL. A name copied from an old
// archive is often Windows-1251, which is not valid UTF-8, and Qt's own conversion turns such
// bytes into U+FFFD for good. Such a name therefore travels as a text that keeps every byte:
// each byte of the name at or above 0x80 becomes a lone surrogate U+DC80..U+DCFF, which no
// UTF-8 name can hold. openRegularFile turns it back into the real bytes; a person sees
// shownFileName instead.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The name as a path text that opens through openRegularFile: the name itself when it is valid
// UTF-8, otherwise its bytes kept as above.
QString fileNameText(QByteArrayView native);
// The real bytes of a path text, whether it holds kept bytes or not.
QByteArray nativeFileName(QStringView text);
// The name for people: the name itself when it is valid UTF-8, otherwise its bytes read as
// Windows-1251, the likely source.
QString shownFileName(QByteArrayView native);
// A path text as people read it: shownFileName of its real bytes.
QString shownPath(QStringView path);
