// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: the entry point libFuzzer calls, and a check that stops the run
// the way libFuzzer and the replay both report as a finding.
#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

inline QByteArrayView fuzzBytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Aborts, so that libFuzzer keeps the input as a crash and the replay test fails.
inline void fuzzCheck(bool holds, const char *promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "Broken promise: %s\n", promise);
    std::abort();
}
