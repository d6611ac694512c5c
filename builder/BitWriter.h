#pragma once
// BitWriter: appends bits to a byte buffer the way the engine's BitReader reads them: bit 0 of
// each byte first, fields least significant bit first.

#include <cstddef>
#include <cstdint>
#include <vector>

class BitWriter {
public:
    // Starts after the given bytes (for example a block head); they are kept as they are.
    explicit BitWriter(std::vector<uint8_t> head = {});

    void writeBit(int bit) { writeBits(bit ? 1u : 0u, 1); }
    // The low n bits of value (0 <= n <= 32), least significant first.
    void writeBits(uint32_t value, int n);
    // count bytes, each as an 8-bit field.
    void writeBytes(const uint8_t* bytes, size_t count);
    // value as the variable-width number (base, step) in its shortest form: a 1 bit for each
    // step added to base, a 0 bit, then min(width, 32) bits of value. Throws
    // std::invalid_argument when base is not in 1..32 or step not in 1..16.
    void writeNumber(uint32_t value, int base, int step);

    // The number of bits written so far, head included.
    uint64_t bitCount() const { return uint64_t(bytes_.size()) * 8 - (pending_ ? 8 - pending_ : 0); }
    // The bytes, the last one padded with 0 bits; the writer is left empty.
    std::vector<uint8_t> take();

    // The bits writeNumber spends on value.
    static int numberBits(uint32_t value, int base, int step);

private:
    std::vector<uint8_t> bytes_;
    int pending_ = 0;   // bits used in the last byte (0: no partial byte)
};
