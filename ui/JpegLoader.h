// JPEG pictures are decoded with libjpeg directly. When the picture will be stretched into a
// box, the decoder works at the smallest DCT scale (1/1, 1/2, 1/4 or 1/8) that still covers
// the box, which is far cheaper than decoding in full and scaling down.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures larger than this on either side are refused before any pixel is decoded.
constexpr int MaxJpegDimension = 16384;

// Throws Error naming `name` when the data is not a JPEG picture that libjpeg can read.
// A picture cut short after a good header decodes as far as the data goes.
QImage decodeJpeg(QByteArrayView data, const QString &name, QSize box = QSize());
// Reads the file and decodes it; throws Error naming the file when it cannot be read.
QImage loadJpeg(const QString &path, QSize box = QSize());
// The picture at exactly the box's size, as a stretching picture box shows it: shrunk by area
// averaging on a worker thread while it is decoded, or enlarged smoothly when it is smaller.
QImage decodeStretchedJpeg(QByteArrayView data, const QString &name, QSize box);
QImage loadStretchedJpeg(const QString &path, QSize box);

// The scale denominator chosen for a picture of `picture` pixels shown in `box`.
int jpegScaleDenominator(QSize picture, QSize box);
