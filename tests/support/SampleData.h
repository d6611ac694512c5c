#pragma once
// Inputs for compression tests: deterministic bytes of the kinds an installer holds.

#include <cstddef>
#include <cstdint>
#include <string>

// n pseudo-random bytes from seed (incompressible).
std::string randomBytes(size_t n, uint32_t seed);

// About n bytes of text from a small vocabulary, the way prose repeats words at every
// distance, with sentence ends on CR LF.
std::string wordText(size_t n, uint32_t seed);
