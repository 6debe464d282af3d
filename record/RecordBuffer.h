#pragma once

#include "RecordLayout.h"

#include <array>
#include <cstdint>

// The program's one image of the record last read by the decoder:
// element i is byte i of the file.
using RecordBytes = std::array<std::uint8_t, layout::RecordSize>;

RecordBytes &recordBuffer();
