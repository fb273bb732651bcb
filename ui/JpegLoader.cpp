// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/JpegLoader.h"

#include <QFile>
#include <QSysInfo>

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jerror.h>
#include <jpeglib.h>

#include "rules/Error.h"
#include "rules/NativeName.h"
#include "rules/RegularFile.h"

namespace {

constexpr int MaxScaleDenominator = 8;
constexpr int CmykBytes = 4;
// What libjpeg may allocate for one picture (a progressive picture keeps all its coefficients).
constexpr long MaxDecoderMemory = 256L * 1024 * 1024;
// The byte order of Format_RGB32 pixels in memory, 0xffRRGGBB as a native 32-bit word.
constexpr J_COLOR_SPACE Rgb32ColorSpace =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool tooManyScans;
};

[[noreturn]] void onFatalError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// libjpeg calls this while it reads the scans of a progressive picture, before every row of
// every scan, so the decode stops at the first scan beyond the limit.
void onProgress(j_common_ptr info)
{
    const auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
    const QSize picture(static_cast<int>(decompress->image_width),
                        static_cast<int>(decompress->image_height));
    if (decompress->input_scan_number <= jpegScanLimit(picture))
        return;
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    manager->tooManyScans = true;
    std::longjmp(manager->jump, 1);
}

QString tooLarge(const jpeg_decompress_struct &info)
{
    return QStringLiteral("в ней %1 × %2 точек, это больше, чем программа может показать")
        .arg(info.image_width)
        .arg(info.image_height);
}

QString tooManyScans(const jpeg_decompress_struct &info)
{
    const QSize picture(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    return QStringLiteral("в ней больше %1 проходов (progressive scans), она загружалась бы "
                          "слишком долго")
        .arg(jpegScanLimit(picture));
}

// Why libjpeg gave up, in the user's words, with libjpeg's own English words after them for
// whoever looks into the file.
QString libjpegFailure(int code, const char *libjpegText)
{
    QString reason;
    switch (code) {
    case JERR_NO_SOI:
        reason = QStringLiteral("это не картинка JPEG");
        break;
    case JERR_INPUT_EMPTY:
        reason = QStringLiteral("файл пуст");
        break;
    case JERR_INPUT_EOF:
        reason = QStringLiteral("файл обрывается раньше конца картинки");
        break;
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
        reason = QStringLiteral("для неё не хватает памяти");
        break;
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
    case JERR_BAD_PRECISION:
    case JERR_CONVERSION_NOTIMPL:
        reason = QStringLiteral("картинки JPEG такого вида программа не читает");
        break;
    default:
        reason = QStringLiteral("файл JPEG повреждён");
        break;
    }
    return QStringLiteral("%1 (libjpeg: %2)").arg(reason, QString::fromLocal8Bit(libjpegText));
}

// Warnings (a file cut short, for one) are not printed: what was decoded is still shown.
void onMessage(j_common_ptr) {}

// Owns one libjpeg decompressor. libjpeg reports fatal errors by longjmp back into run(),
// whose frame holds nothing with a destructor; everything it builds lives in members, which
// the destructor releases whichever way run() left.
class Decompressor {
public:
    Decompressor()
    {
        m_info.err = jpeg_std_error(&m_errors.base);
        m_errors.base.error_exit = onFatalError;
        m_errors.base.output_message = onMessage;
        m_errors.message[0] = '\0';
        m_errors.tooManyScans = false;
    }
    // Safe also when run() never got to create the decompressor.
    ~Decompressor() { jpeg_destroy_decompress(&m_info); }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    // Returns false with failure() set when libjpeg gave up or the picture is beyond a limit.
    bool run(QByteArrayView data, QSize box);

    QImage takeImage() { return std::move(m_image); }
    // The error text for a picture named `name` that run() did not decode.
    QString failure(const QString &name) const
    {
        return QStringLiteral("Картинка %1 не загружена: %2").arg(name, m_failure);
    }

private:
    void readRgb();
    void readCmyk();
    uchar *row(unsigned int y) const { return m_bits + qsizetype(y) * m_bytesPerLine; }

    jpeg_decompress_struct m_info{};
    ErrorManager m_errors{};
    jpeg_progress_mgr m_progress{};
    QImage m_image;
    // Where the picture's rows are written: scanLine() would check for sharing at every row.
    uchar *m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
    QByteArray m_row;
    QString m_failure;
};

bool Decompressor::run(QByteArrayView data, QSize box)
{
    if (setjmp(m_errors.jump)) {
        // Past the header, running out of memory means the picture is too large for us.
        const int code = m_errors.base.msg_code;
        const bool outOfMemory = code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY;
        if (m_errors.tooManyScans)
            m_failure = tooManyScans(m_info);
        else if (outOfMemory && m_info.image_width > 0)
            m_failure = tooLarge(m_info);
        else
            m_failure = libjpegFailure(code, m_errors.message);
        return false;
    }
    // Made here, where a failure (out of memory) has a jump target.
    jpeg_create_decompress(&m_info);
    m_info.mem->max_memory_to_use = MaxDecoderMemory;
    m_progress.progress_monitor = onProgress;
    m_info.progress = &m_progress;
    jpeg_mem_src(&m_info, reinterpret_cast<const unsigned char *>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&m_info, TRUE);

    if (m_info.image_width > MaxJpegDimension || m_info.image_height > MaxJpegDimension ||
        qint64(m_info.image_width) * m_info.image_height > MaxJpegPixels) {
        m_failure = tooLarge(m_info);
        return false;
    }

    const QSize picture(static_cast<int>(m_info.image_width),
                        static_cast<int>(m_info.image_height));
    m_info.scale_num = 1;
    m_info.scale_denom = static_cast<unsigned int>(jpegScaleDenominator(picture, box));
    // The picture is smoothed down to its box afterwards, which hides the fast IDCT's error.
    m_info.dct_method = JDCT_IFAST;

    const bool cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
    m_info.out_color_space = cmyk ? JCS_CMYK : Rgb32ColorSpace;
    jpeg_start_decompress(&m_info);

    m_image = QImage(static_cast<int>(m_info.output_width), static_cast<int>(m_info.output_height),
                     QImage::Format_RGB32);
    if (m_image.isNull()) {
        m_failure = QStringLiteral("для неё не хватает памяти");
        return false;
    }
    m_bits = m_image.bits();
    m_bytesPerLine = m_image.bytesPerLine();
    if (cmyk)
        readCmyk();
    else
        readRgb();
    jpeg_finish_decompress(&m_info);
    return true;
}

void Decompressor::readRgb()
{
    while (m_info.output_scanline < m_info.output_height) {
        JSAMPROW next = row(m_info.output_scanline);
        jpeg_read_scanlines(&m_info, &next, 1);
    }
}

void Decompressor::readCmyk()
{
    m_row.resize(static_cast<qsizetype>(m_info.output_width) * CmykBytes);
    // Adobe writes CMYK inverted, as almost every CMYK JPEG in the wild is.
    const bool inverted = m_info.saw_Adobe_marker;
    while (m_info.output_scanline < m_info.output_height) {
        const unsigned int y = m_info.output_scanline;
        auto *samples = reinterpret_cast<JSAMPLE *>(m_row.data());
        jpeg_read_scanlines(&m_info, &samples, 1);
        auto *out = reinterpret_cast<QRgb *>(row(y));
        for (unsigned int x = 0; x < m_info.output_width; ++x) {
            const JSAMPLE *p = samples + x * CmykBytes;
            int c = p[0], m = p[1], yy = p[2], k = p[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                yy = 255 - yy;
                k = 255 - k;
            }
            out[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
        }
    }
}

QByteArray readPictureFile(const QString &path)
{
    // The pictures built into the program are Qt resources; every other file may be anything.
    if (path.startsWith(QLatin1Char(':'))) {
        QFile resource(path);
        return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    }
    return readRegularFile(path, MaxJpegFileBytes, QStringLiteral("картинку"));
}

} // namespace

int jpegScanLimit(QSize picture)
{
    const qint64 pixels = std::max<qint64>(1, qint64(picture.width()) * picture.height());
    return static_cast<int>(std::min<qint64>(MaxJpegScans, MaxJpegScanPixels / pixels));
}

int jpegScaleDenominator(QSize picture, QSize box)
{
    if (box.isEmpty() || picture.isEmpty())
        return 1;
    int chosen = 1;
    for (int d = 2; d <= MaxScaleDenominator; d *= 2) {
        // libjpeg rounds scaled sizes up.
        const int w = (picture.width() + d - 1) / d;
        const int h = (picture.height() + d - 1) / d;
        if (w < box.width() || h < box.height())
            break;
        chosen = d;
    }
    return chosen;
}

QImage decodeJpeg(QByteArrayView data, const QString &name, QSize box)
{
    Decompressor decompressor;
    if (!decompressor.run(data, box))
        throw Error(decompressor.failure(name));
    return decompressor.takeImage();
}

QImage decodeStretchedJpeg(QByteArrayView data, const QString &name, QSize box)
{
    // Decoded at the DCT scale that still covers the box, the picture is small already: one
    // smooth scaling brings it to the box.
    const QImage picture = decodeJpeg(data, name, box);
    if (box.isEmpty() || picture.size() == box)
        return picture;
    return picture.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage loadStretchedJpeg(const QString &path, QSize box)
{
    return decodeStretchedJpeg(readPictureFile(path), shownPath(path), box);
}
