#include "tests/support/SampleData.h"

#include <random>

std::string randomBytes(size_t n, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

std::string wordText(size_t n, uint32_t seed)
{
    static const char* const words[] = {"the", "installer", "archive", "file", "directory",
                                        "registry", "key", "value", "shortcut", "of", "and",
                                        "is", "to", "a", "when", "uninstall", "settings"};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) {
        s += words[rng() % (sizeof words / sizeof *words)];
        s += (rng() % 11 == 0) ? ".\r\n" : " ";
    }
    return s;
}
