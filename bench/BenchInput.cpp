#include "bench/BenchInput.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

void appendFile(const std::filesystem::path& path, std::vector<uint8_t>& out, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 16);
    while (out.size() < limit && (in.read(buffer.data(), std::streamsize(buffer.size())), in.gcount() > 0)) {
        const size_t n = std::min(size_t(in.gcount()), limit - out.size());
        out.insert(out.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(n));
    }
}

} // namespace

std::vector<uint8_t> readInput(const std::string& where, size_t limit)
{
    std::vector<uint8_t> out;
    if (std::filesystem::is_directory(where)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(where))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files)
            if (out.size() < limit)
                appendFile(file, out, limit);
    } else {
        appendFile(where, out, limit);
    }
    return out;
}

std::vector<uint8_t> generatedInput(size_t size)
{
    static const char* const words[] = {"the", "installer", "archive", "file", "directory",
                                        "registry", "key", "value", "shortcut", "of", "and"};
    std::mt19937 rng(1);
    std::vector<uint8_t> out;
    while (out.size() < size) {
        if (rng() % 8 == 0) {
            for (int i = 0; i < 4096; ++i)
                out.push_back(static_cast<uint8_t>(rng()));
        }
        for (int i = 0; i < 1000; ++i) {
            const char* word = words[rng() % (sizeof words / sizeof *words)];
            out.insert(out.end(), word, word + strlen(word));
            out.push_back(' ');
        }
    }
    out.resize(size);
    return out;
}

