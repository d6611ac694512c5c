#pragma once
// BitReader: reads a compressed block's bit stream bit by bit.
//
// Bit position p is bit (p mod 8) of byte (p / 8); fields are assembled least significant bit
// first. Positions are 64-bit, so blocks of any int length are addressed without overflow.
// The reader does not own the bytes.

#include <cstdint>

class BitReader {
public:
    // Reads the length bytes at data (null or length < 0: no bits). Position 0.
    BitReader(const uint8_t* data, int length);

    // Sets the bit position (any value; reads fail while it is outside the stream).
    void seekBit(int64_t position) { position_ = position; }
    int64_t position() const { return position_; }

    // True when n bits can be read at the position: the position is not negative and not
    // greater than bitLength - n.
    bool bitsLeft(int64_t n) const;

    // The bit at the position (0 or 1), advancing by 1; 0 without moving when no bit is left.
    int readBit();

    // Copies n bits in stream order into destination, starting at its bit 0 (bit i of the
    // field is bit i mod 8 of byte i / 8); destination bits beyond n keep their values.
    // Advances by n. False, nothing read or written, when destination is null, n <= 0 or
    // n bits are not left.
    bool readBits(void* destination, int64_t n);

    // A variable-width number: width = base, plus step for each 1 bit of a prefix ended by a
    // 0 bit (or by the end of the stream); then min(width, 32) value bits. value is set to
    // the 32 bits read, as a signed number. False, value unchanged, when 2 bits are not left
    // at the start, base is not in 0..64, step is not in 1..16, or the value bits are not
    // there (the prefix bits stay consumed then).
    bool readNumber(int base, int step, int32_t& value);

private:
    const uint8_t* data_;
    int64_t bitLength_;
    int64_t position_;
};
