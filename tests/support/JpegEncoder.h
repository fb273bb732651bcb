// SPDX-License-Identifier: GPL-3.0-or-later
// libjpeg's own encoder, for the pictures Qt's encoder cannot make: CMYK as Adobe writes it, or a
// progressive file with a scan script of the test's choosing. Set what the picture needs on
// info() between construction and encode().
#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

class JpegEncoder {
public:
    JpegEncoder(QSize size, int components, J_COLOR_SPACE colourSpace)
    {
        m_info.err = jpeg_std_error(&m_errors);
        jpeg_create_compress(&m_info);
        jpeg_mem_dest(&m_info, &m_buffer, &m_length);
        m_info.image_width = static_cast<JDIMENSION>(size.width());
        m_info.image_height = static_cast<JDIMENSION>(size.height());
        m_info.input_components = components;
        m_info.in_color_space = colourSpace;
        jpeg_set_defaults(&m_info);
    }
    ~JpegEncoder()
    {
        jpeg_destroy_compress(&m_info);
        std::free(m_buffer);
    }
    JpegEncoder(const JpegEncoder &) = delete;
    JpegEncoder &operator=(const JpegEncoder &) = delete;

    jpeg_compress_struct &info() { return m_info; }

    // Writes the rows that `rowAt` gives for each line, top down, and returns the file.
    QByteArray encode(const std::function<JSAMPROW(int line)> &rowAt)
    {
        jpeg_start_compress(&m_info, TRUE);
        while (m_info.next_scanline < m_info.image_height) {
            JSAMPROW row = rowAt(static_cast<int>(m_info.next_scanline));
            jpeg_write_scanlines(&m_info, &row, 1);
        }
        jpeg_finish_compress(&m_info);
        return QByteArray(reinterpret_cast<const char *>(m_buffer),
                          static_cast<qsizetype>(m_length));
    }

private:
    jpeg_compress_struct m_info{};
    jpeg_error_mgr m_errors{};
    unsigned char *m_buffer = nullptr;
    unsigned long m_length = 0;
};
