// SPDX-License-Identifier: GPL-3.0-or-later
// A sound file of any bytes, checked by the WAV reader as the sound folder's scan checks it.
// Error is the reader's one way to refuse a file; any other exception or a crash is a finding,
// and so is an accepted file that Qt Multimedia could not finish loading.
#include <QBuffer>
#include <QByteArray>
#include <QtEndian>

#include "fuzz/FuzzCheck.h"
#include "rules/Error.h"
#include "ui/WavFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes = fuzzBytes(data, size).toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const WavFormat format = readWavHeader(buffer);
        fuzzCheck(format.channels == 1 || format.channels == 2, "one or two channels");
        fuzzCheck(format.bitsPerSample == 8 || format.bitsPerSample == 16, "8 or 16 bits");
        fuzzCheck(format.sampleRate > 0, "a sample rate");
        const int frameBytes = format.channels * format.bitsPerSample / 8;
        fuzzCheck(format.dataBytes > 0 && format.dataBytes % frameBytes == 0,
                  "whole frames of samples");
        fuzzCheck(format.dataOffset >= 0 && format.dataOffset + format.dataBytes <= bytes.size(),
                  "the samples lie inside the file");
        constexpr qsizetype RiffSizeAt = 4;
        fuzzCheck(8 + qFromLittleEndian<quint32>(bytes.constData() + RiffSizeAt) <= bytes.size(),
                  "the file holds every byte its RIFF size promises");
    } catch (const Error &error) {
        fuzzCheck(!error.message().isEmpty(), "a refusal says why");
    }
    return 0;
}
