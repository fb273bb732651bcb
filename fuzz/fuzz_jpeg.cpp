// SPDX-License-Identifier: GPL-3.0-or-later
// A wallpaper file of any bytes, decoded for boxes of several sizes as the windows show it, in
// full, and stretched to a box. Error is the loader's one way to refuse a file; any other exception
// or a crash is a finding.
#include <QImage>
#include <QSize>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>

#include "fuzz/FuzzCheck.h"
#include "rules/Error.h"
#include "ui/JpegLoader.h"

namespace {

// A tiny box, a dialog's and a large window's.
constexpr std::array<QSize, 3> Boxes = {QSize(1, 1), QSize(320, 200), QSize(1920, 1080)};
constexpr std::array<int, 4> Denominators = {1, 2, 4, 8};
constexpr qint64 Smallest = Denominators.back(); // the scale the tiny box always gets
constexpr qint64 FullDecodeBudget = 2048 * 2048; // pixels

std::optional<QImage> decoded(QByteArrayView bytes, QSize box)
{
    try {
        QImage image = decodeJpeg(bytes, QStringLiteral("fuzz.jpg"), box);
        fuzzCheck(!image.isNull() && image.format() == QImage::Format_RGB32,
                  "a decoded picture is a 32-bit image");
        fuzzCheck(image.width() <= MaxJpegDimension && image.height() <= MaxJpegDimension &&
                      qint64(image.width()) * image.height() <= MaxJpegPixels,
                  "no picture beyond the size caps is decoded");
        return image;
    } catch (const Error &error) {
        fuzzCheck(error.message().contains(QStringLiteral("fuzz.jpg")),
                  "the error names the picture");
        return std::nullopt;
    }
}

// Counts the scans (SOS markers) of a JPEG up to its end marker, stepping over the other marker
// segments by their lengths and over entropy-coded data, where 0xFF is followed by 0 or by a
// restart marker. Some bytes that libjpeg skips as garbage may count, never fewer scans than
// libjpeg reads; enough to check that a picture of many scans is refused.
int scanCount(QByteArrayView bytes)
{
    constexpr uchar Marker = 0xFF, Sos = 0xDA, Eoi = 0xD9, Soi = 0xD8;
    constexpr uchar FirstRestart = 0xD0, LastRestart = 0xD7;
    int scans = 0;
    qsizetype at = 0;
    while (at + 1 < bytes.size()) {
        if (uchar(bytes[at]) != Marker) {
            ++at;
            continue;
        }
        const uchar code = uchar(bytes[at + 1]);
        if (code == Eoi)
            break;
        if (code == Marker || code == 0 || code == Soi ||
            (code >= FirstRestart && code <= LastRestart)) {
            at += code == Marker ? 1 : 2;
            continue;
        }
        if (at + 3 >= bytes.size())
            break;
        const int length = uchar(bytes[at + 2]) << 8 | uchar(bytes[at + 3]);
        if (code == Sos)
            ++scans;
        at += 2 + length;
    }
    return scans;
}

// libjpeg rounds scaled sizes up.
QSize scaled(QSize picture, int denominator)
{
    return QSize((picture.width() + denominator - 1) / denominator,
                 (picture.height() + denominator - 1) / denominator);
}

void checkScaleChoice(QSize picture, QSize box)
{
    const int d = jpegScaleDenominator(picture, box);
    fuzzCheck(std::find(Denominators.cbegin(), Denominators.cend(), d) != Denominators.cend(),
              "the scale is one libjpeg offers");
    if (d > 1) {
        const QSize smaller = scaled(picture, d);
        fuzzCheck(smaller.width() >= box.width() && smaller.height() >= box.height(),
                  "the scaled picture still covers the box");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    std::array<std::optional<QImage>, Boxes.size()> fitted;
    for (std::size_t i = 0; i < Boxes.size(); ++i)
        fitted[i] = decoded(bytes, Boxes[i]);
    // A decoded picture never has more scans than its size allows. (The count may include
    // garbage, so only a clear excess is a finding.)
    if (fitted.front() && scanCount(bytes) > MaxJpegScans * 2)
        fuzzCheck(false, "a picture of too many scans is refused");

    // The tiny box gives the picture at 1/8. A few hundred bytes can declare a picture of
    // thousands of pixels a side; the windows always decode for their box, so the full size is
    // decoded, and the scaled sizes compared with it, only for pictures within a budget.
    const std::optional<QImage> &eighth = fitted.front();
    if (eighth &&
        qint64(eighth->width()) * eighth->height() <= FullDecodeBudget / (Smallest * Smallest)) {
        if (const std::optional<QImage> full = decoded(bytes, QSize())) {
            for (std::size_t i = 0; i < Boxes.size(); ++i) {
                if (!fitted[i])
                    continue;
                const int d = jpegScaleDenominator(full->size(), Boxes[i]);
                fuzzCheck(fitted[i]->size() == scaled(full->size(), d),
                          "a picture for a box is scaled as chosen");
            }
        }
    }
    // Shrunk on a worker while decoding, for the dialog's box: exactly the box, or refused
    // alike, and never a worker left behind.
    if (fitted[1]) {
        try {
            const QImage stretched =
                decodeStretchedJpeg(bytes, QStringLiteral("fuzz.jpg"), Boxes[1]);
            fuzzCheck(stretched.size() == Boxes[1] && stretched.format() == QImage::Format_RGB32,
                      "a stretched picture fills its box exactly");
        } catch (const Error &error) {
            fuzzCheck(error.message().contains(QStringLiteral("fuzz.jpg")),
                      "the error names the picture");
        }
    }
    // The scale choice for any sizes, taken from the first bytes.
    constexpr qsizetype SizeBytes = 8;
    if (bytes.size() >= SizeBytes) {
        auto side = [&bytes](qsizetype at) {
            return int(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8) % (MaxJpegDimension + 1);
        };
        checkScaleChoice(QSize(side(0), side(2)), QSize(side(4), side(6)));
    }
    return 0;
}
