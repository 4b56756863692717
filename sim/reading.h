#pragma once
// A reading as the instrument's eight digits show it, held as a count of
// hundredths: 12345678 is shown as 123456.78.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexilor {

using Reading = std::int64_t;

// Eight digits, the point fixed before the last two.
inline constexpr Reading MaxReading = 99999999;

Reading ClampReading(Reading value);

// Accepts "123456.78", "150", "1.5" and the like; at most two decimals and
// no sign. Values above MaxReading are refused rather than clamped, so that a
// typing error is noticed.
std::optional<Reading> ParseReading(std::string_view text);

// "123456.78", "0.00": the reading as a person would write it.
std::string FormatReading(Reading value);

}  // namespace vexilor
