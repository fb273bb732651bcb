// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/NativeName.h"

#include <QFile>

#include "rules/Win1251.h"

namespace {

constexpr char16_t KeptByteBase = 0xDC00;
constexpr char16_t FirstKeptByte = KeptByteBase + 0x80;
constexpr char16_t LastKeptByte = KeptByteBase + 0xFF;
constexpr unsigned char FirstHighByte = 0x80;

bool isKeptByte(QStringView text, qsizetype at)
{
    const char16_t unit = text[at].unicode();
    // A low surrogate after a high one is half of a real character, not a kept byte.
    return unit >= FirstKeptByte && unit <= LastKeptByte &&
           (at == 0 || !text[at - 1].isHighSurrogate());
}

} // namespace

QString fileNameText(QByteArrayView native)
{
    if (native.isValidUtf8())
        return QFile::decodeName(native.toByteArray());
    QString text;
    text.reserve(native.size());
    for (const char byte : native) {
        const auto unit = static_cast<unsigned char>(byte);
        text.append(QChar(unit < FirstHighByte ? char16_t(unit) : char16_t(KeptByteBase + unit)));
    }
    return text;
}

QByteArray nativeFileName(QStringView text)
{
    QByteArray native;
    native.reserve(text.size());
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isKeptByte(text, i))
            continue;
        native += QFile::encodeName(text.sliced(plainFrom, i - plainFrom).toString());
        native += static_cast<char>(text[i].unicode() - KeptByteBase);
        plainFrom = i + 1;
    }
    native += QFile::encodeName(text.sliced(plainFrom).toString());
    return native;
}

QString shownFileName(QByteArrayView native)
{
    return native.isValidUtf8() ? QString::fromUtf8(native) : fromWin1251(native);
}

QString shownPath(QStringView path)
{
    return shownFileName(nativeFileName(path));
}
