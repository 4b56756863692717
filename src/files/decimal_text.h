#pragma once
// Decimal integers as the settings files and the number fields hold them.

#include <cstdint>
#include <string_view>

namespace vexilor {

// Leading white space skipped, an optional sign, then the digits up to the
// first other character. No digit gives 0; a number beyond the 32-bit range
// gives the nearest 32-bit value.
std::int32_t ParseLeadingInteger(std::string_view text);

}  // namespace vexilor
