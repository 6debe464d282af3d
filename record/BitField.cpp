#include "BitField.h"

#include "AppError.h"

#include <array>

namespace bits {
namespace {

// Lives as long as the program; each load overwrites entries from 1 upwards.
// One per thread: the archive index decodes records off the window's thread.
std::array<int, ArraySize + 1> &bitArray()
{
    static thread_local std::array<int, ArraySize + 1> entries{};
    return entries;
}

} // namespace

int ExtractBit(std::uint8_t byte, int n)
{
    if (n < 1 || n > 8)
        errors::throwText(errors::RangeCheck);
    return (byte >> (8 - n)) & 1;
}

void LoadBits(const RecordBytes &buffer, int a, int b)
{
    if (b < a)
        return;
    if (a < 1 || b > int(buffer.size()) || (b - a + 1) * 8 > ArraySize)
        errors::throwText(errors::RangeCheck);
    auto &entries = bitArray();
    int entry = 1;
    for (int i = a - 1; i <= b - 1; ++i)
        for (int n = 1; n <= 8; ++n)
            entries[entry++] = ExtractBit(buffer[i], n);
}

int BitsValue(int a, int b)
{
    if (a < 1 || b > ArraySize || b - a > 30)
        errors::throwText(errors::RangeCheck);
    const auto &entries = bitArray();
    int value = 0;
    for (int i = a; i <= b; ++i)
        value += entries[i] << (b - i);
    return value;
}

} // namespace bits
