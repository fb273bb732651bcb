// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures are decoded with libjpeg directly. When the picture will be stretched into a
// box, the decoder works at the smallest DCT scale (1/1, 1/2, 1/4 or 1/8) that still covers
// the box, which is far cheaper than decoding in full and scaling down.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Limits that keep a picture's cost bounded whatever its file says; pictures beyond them are
// refused before any pixel is decoded. Larger on either side than this:
constexpr int MaxJpegDimension = 16384;
// More pixels than this (64 million, beyond what cameras save by default). A progressive
// picture keeps all its coefficients, and each of its scans goes over all of them.
constexpr qint64 MaxJpegPixels = 64LL * 1024 * 1024;
// More scans than this. Encoders write about 10 for a progressive picture; a file of thousands
// of scans makes the window wait for half a minute.
constexpr int MaxJpegScans = 100;
// A scan can go over every coefficient of the picture (about 4 ms a million pixels here), so a
// large picture is allowed fewer: scans times pixels stay within this, some 4 s of decoding.
// A 64-million-pixel picture keeps 16 scans, more than the 10 encoders write.
constexpr qint64 MaxJpegScanPixels = 1LL << 30;
// A larger file than this is not read at all.
constexpr qint64 MaxJpegFileBytes = 64LL * 1024 * 1024;

// Throws Error naming `name` when the data is not a JPEG picture that libjpeg can read, or when
// it is beyond the limits above.
// A picture cut short after a good header decodes as far as the data goes.
QImage decodeJpeg(QByteArrayView data, const QString &name, QSize box = QSize());
// The picture at exactly the box's size, as a stretching picture box shows it: decoded at the
// DCT scale that covers the box, then scaled smoothly to it.
QImage decodeStretchedJpeg(QByteArrayView data, const QString &name, QSize box);
// The same from a file (rules/RegularFile.h) of at most MaxJpegFileBytes, or a Qt resource.
QImage loadStretchedJpeg(const QString &path, QSize box);

// How many scans a picture of `picture` pixels may have.
int jpegScanLimit(QSize picture);

// The scale denominator chosen for a picture of `picture` pixels shown in `box`.
int jpegScaleDenominator(QSize picture, QSize box);
