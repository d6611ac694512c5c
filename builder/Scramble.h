#pragma once
// Scrambling of the archive's settings block, as the builder applies it.

#include <cstdint>
#include <vector>

// XORs byte i of buffer with byte (i mod 4) of key's little-endian form, in place. The
// engine's unscramble with the same key restores the bytes. Throws std::length_error for a
// buffer of 2 GiB or more (buffer unchanged).
void scramble(std::vector<uint8_t>& buffer, uint32_t key);
