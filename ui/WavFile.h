// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own check of a WAV file before Qt Multimedia gets it. Qt's sample loader waits
// for ever on a file that is cut short, declares more data than it holds or has a malformed
// format chunk, and a later sound then blocks the window inside Qt; a 1 KB file that declares
// 4 GB of data makes it allocate 4 GB. Only files this reader accepts are played: plain RIFF
// PCM, 8 or 16 bits, one or two channels, every chunk up to the samples inside the file.
#pragma once

#include <QString>

class QIODevice;

// A wrong-answer sound lasts a second or two; 4 MiB is 24 s of CD-quality stereo.
constexpr qint64 MaxWavBytes = 4 * 1024 * 1024;

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataOffset = 0; // of the first sample in the file
    qint64 dataBytes = 0;
};

// Reads the header of the WAV file that `device` holds from its start; its size() is the
// file's. Throws Error with a Russian text saying what is wrong.
WavFormat readWavHeader(QIODevice &device);

// Reads `path` whole as a regular file of at most MaxWavBytes (rules/RegularFile.h) and checks
// its header. Throws Error naming the file when it cannot be read or is not a playable WAV.
WavFormat readWavFile(const QString &path);
