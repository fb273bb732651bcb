// SPDX-License-Identifier: GPL-3.0-or-later
// The records file "SaveRes.res" as the program loads and saves it.
#include "fuzz/ResultRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkRoundTrip<OneHiScore>(fuzzBytes(data, size));
    return 0;
}
