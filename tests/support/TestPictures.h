// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures and sounds that tests make on the spot: JPEG files from Qt's own encoder, a silent
// WAV file, and a colour comparison that allows for JPEG's loss.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QImage>

#include <cstdlib>

inline QByteArray jpegOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG"))
        qFatal("cannot encode a JPEG");
    return bytes;
}

inline QByteArray solidJpeg(const QColor &colour, QSize size = QSize(64, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return jpegOf(image);
}

inline bool nearColour(const QColor &a, const QColor &b)
{
    constexpr int Tolerance = 12;
    return std::abs(a.red() - b.red()) <= Tolerance &&
           std::abs(a.green() - b.green()) <= Tolerance &&
           std::abs(a.blue() - b.blue()) <= Tolerance;
}

// 16-bit mono PCM, the format of the shipped sounds.
inline QByteArray silentWav()
{
    constexpr quint32 SampleRate = 8000;
    constexpr quint32 Samples = 800;
    constexpr quint32 HeaderRest = 36;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(HeaderRest + Samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << SampleRate << quint32(SampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(Samples * 2);
    for (quint32 i = 0; i < Samples; ++i)
        out << qint16(0);
    return data;
}
