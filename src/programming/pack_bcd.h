#pragma once
// Packed BCD as the instrument takes its values.

#include <array>
#include <cstdint>
#include <string>

namespace vexilor {

// The text brought to 8 characters (filled on the left with '0', or cut to
// its first 8), each character a digit ('0' to '9', anything else 0), two
// per byte with the earlier one in the high nibble; most significant first.
std::array<std::uint8_t, 4> PackBcd(const std::string& text);

}  // namespace vexilor
