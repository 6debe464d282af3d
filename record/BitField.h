#pragma once

#include "RecordBuffer.h"

#include <cstdint>

// Bit-field reader over the record buffer. Indices are 1-based; a violated
// bound raises "Range check error".
namespace bits {

constexpr int ArraySize = 1153;  // entries 1..1153: the bits of 144 bytes

// Bit n (1 = most significant, 8 = least) of a byte.
int ExtractBit(std::uint8_t byte, int n);

// Copies the bits of buffer elements a-1 .. b-1 into the bit array from entry 1,
// most significant bit first. Nothing is written when b < a.
void LoadBits(const RecordBytes &buffer, int a, int b);

// Sum of entry(i) * 2^(b-i) for i = a..b.
int BitsValue(int a, int b);

} // namespace bits
