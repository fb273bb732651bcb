// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WavFile.h"

#include <QBuffer>
#include <QtEndian>

#include <optional>

#include "rules/Error.h"
#include "rules/NativeName.h"
#include "rules/RegularFile.h"

namespace {

constexpr qint64 ChunkHeaderBytes = 8; // four letters and a 32-bit little-endian size
constexpr qint64 RiffHeaderBytes = 12; // "RIFF", size, "WAVE"
constexpr quint32 PcmFormat = 1;
// The PCM fields take 16 bytes; WAVE_FORMAT_EXTENSIBLE, the longest layout, 40.
constexpr quint32 MinFormatBytes = 16;
constexpr quint32 MaxFormatBytes = 40;
constexpr int MaxChannels = 2;
constexpr int MinSampleRate = 4000;
constexpr int MaxSampleRate = 192000;
// Text, cue and list chunks may come before the samples; honest files have a handful.
constexpr int MaxChunksBeforeData = 64;
constexpr int BitsPerByte = 8;

struct ChunkHeader {
    QByteArray id;
    quint32 size = 0;
};

[[noreturn]] void refuse(const QString &reason)
{
    throw Error(reason);
}

QByteArray readExactly(QIODevice &device, qint64 bytes)
{
    QByteArray data = device.read(bytes);
    if (data.size() != bytes)
        refuse(QStringLiteral("файл обрывается раньше, чем кончается его заголовок"));
    return data;
}

ChunkHeader readChunkHeader(QIODevice &device)
{
    const QByteArray raw = readExactly(device, ChunkHeaderBytes);
    return {raw.left(4), qFromLittleEndian<quint32>(raw.constData() + 4)};
}

quint16 field16(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 field32(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

WavFormat readFormat(const QByteArray &chunk)
{
    if (field16(chunk, 0) != PcmFormat)
        refuse(QStringLiteral("звук записан не в формате PCM"));
    WavFormat format;
    format.channels = field16(chunk, 2);
    const quint32 rate = field32(chunk, 4);
    const int blockAlign = field16(chunk, 12);
    format.bitsPerSample = field16(chunk, 14);
    if (format.channels < 1 || format.channels > MaxChannels)
        refuse(QStringLiteral("каналов %1, а допустимо 1 или 2").arg(format.channels));
    if (rate < quint32(MinSampleRate) || rate > quint32(MaxSampleRate))
        refuse(QStringLiteral("частота %1 Гц вне пределов от %2 до %3")
                   .arg(rate)
                   .arg(MinSampleRate)
                   .arg(MaxSampleRate));
    format.sampleRate = static_cast<int>(rate);
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16)
        refuse(QStringLiteral("%1 бит на отсчёт, а допустимо 8 или 16").arg(format.bitsPerSample));
    if (blockAlign != format.channels * format.bitsPerSample / BitsPerByte)
        refuse(QStringLiteral("размер кадра %1 байт не сходится с форматом").arg(blockAlign));
    return format;
}

} // namespace

WavFormat readWavHeader(QIODevice &device)
{
    const qint64 fileBytes = device.size();
    const QByteArray riff = readExactly(device, RiffHeaderBytes);
    if (!riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        refuse(QStringLiteral("это не файл WAV (RIFF/WAVE)"));
    // Qt waits for every byte the RIFF size promises before it looks at the rest.
    if (ChunkHeaderBytes + field32(riff, 4) > fileBytes)
        refuse(QStringLiteral("файл короче, чем сказано в его заголовке"));

    std::optional<WavFormat> format;
    for (int chunks = 0; chunks < MaxChunksBeforeData; ++chunks) {
        const ChunkHeader chunk = readChunkHeader(device);
        const qint64 start = device.pos();
        const qint64 left = fileBytes - start;
        if (chunk.size > left)
            refuse(QStringLiteral("часть «%1» длиной %2 байт не помещается в файле")
                       .arg(QString::fromLatin1(chunk.id))
                       .arg(chunk.size));
        if (chunk.id == "fmt ") {
            // Qt skips no pad byte after this chunk, so its size must be even.
            if (format || chunk.size < MinFormatBytes || chunk.size > MaxFormatBytes ||
                chunk.size % 2 != 0)
                refuse(
                    QStringLiteral("неверная часть формата (fmt) длиной %1 байт").arg(chunk.size));
            format = readFormat(readExactly(device, chunk.size));
            continue;
        }
        if (chunk.id == "data") {
            // Qt reads the samples after the first format chunk only, in whole frames.
            if (!format)
                refuse(QStringLiteral("звук идёт раньше описания его формата"));
            const int frameBytes = format->channels * format->bitsPerSample / BitsPerByte;
            if (chunk.size == 0 || chunk.size % frameBytes != 0)
                refuse(QStringLiteral("в части данных %1 байт, а нужно целое число кадров")
                           .arg(chunk.size));
            format->dataOffset = start;
            format->dataBytes = chunk.size;
            return *format;
        }
        const qint64 padded = qint64(chunk.size) + chunk.size % 2;
        if (!device.seek(start + padded))
            refuse(QStringLiteral("файл обрывается посреди части «%1»")
                       .arg(QString::fromLatin1(chunk.id)));
    }
    refuse(QStringLiteral("в файле нет звука (части data) среди первых %1 частей")
               .arg(MaxChunksBeforeData));
}

WavFormat readWavFile(const QString &path)
{
    QByteArray bytes = readRegularFile(path, MaxWavBytes, QStringLiteral("звук"));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        return readWavHeader(buffer);
    } catch (const Error &error) {
        throw Error(QStringLiteral("Звук %1 не годится: %2").arg(shownPath(path), error.message()));
    }
}
