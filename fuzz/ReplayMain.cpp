// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file of the corpus folders named on the command line to the fuzz target, so that
// the normal build replays the committed corpus as a test. An empty or missing folder fails:
// a replay of nothing proves nothing.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/FuzzCheck.h"

namespace {

std::vector<std::filesystem::path> corpusFiles(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> contents(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s corpus-folder...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (!std::filesystem::is_directory(argv[i], error)) {
            std::fprintf(stderr, "%s: not a folder\n", argv[i]);
            return 1;
        }
        const auto files = corpusFiles(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[i]);
            return 1;
        }
        for (const auto &file : files) {
            std::printf("%s\n", file.filename().c_str());
            std::fflush(stdout);
            const auto bytes = contents(file);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        std::printf("Replayed %zu inputs of %s\n", files.size(), argv[i]);
    }
    return 0;
}
