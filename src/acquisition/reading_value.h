#pragma once
// Max and Min: the two reading texts of a cycle compared as numbers.

#include <cstdint>
#include <string>

namespace vexilor {

inline constexpr const char* NoReadingText = "---";
inline constexpr const char* MaxLabelPrefix = "Max = ";
inline constexpr const char* MinLabelPrefix = "Min = ";

// The integer at the start of a reading text: spaces and tabs skipped, an
// optional sign, then the digits up to the first other character. No digits
// give 0, so "---" is 0 and 012345.67 is 12345. Saturates at the 64-bit range.
std::int64_t ReadingValue(const std::string& text);

struct MaxMinTexts {
    std::string max;
    std::string min;
};

// The second text is the Max only when its value is strictly greater.
MaxMinTexts AssignMaxMin(const std::string& first, const std::string& second);

}  // namespace vexilor
