#include "builder/Scramble.h"

#include "archive/format/ArchiveFormat.h"

#include <climits>
#include <stdexcept>

void scramble(std::vector<uint8_t>& buffer, uint32_t key)
{
    if (buffer.size() > static_cast<size_t>(INT_MAX))
        throw std::length_error("scramble: buffer of 2 GiB or more");
    // The XOR is its own inverse: scrambling is the engine's unscrambling.
    unscramble(buffer.data(), static_cast<int>(buffer.size()), key);
}
