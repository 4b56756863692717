#include "reading.h"

#include <algorithm>

namespace vexilor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits only, at least one, and no more than fit.
std::optional<Reading> ParseDigits(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    Reading value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

Reading ClampReading(Reading value) {
    return std::clamp<Reading>(value, 0, MaxReading);
}

std::optional<Reading> ParseReading(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string fraction;
    if (point != std::string_view::npos) {
        fraction = std::string(text.substr(point + 1));
        if (fraction.empty() || fraction.size() > 2) {
            return std::nullopt;
        }
    }
    fraction.resize(2, '0');
    const auto wholeValue = ParseDigits(whole);
    const auto fractionValue = ParseDigits(fraction);
    if (!wholeValue || !fractionValue) {
        return std::nullopt;
    }
    const Reading value = *wholeValue * 100 + *fractionValue;
    if (value > MaxReading) {
        return std::nullopt;
    }
    return value;
}

std::string FormatReading(Reading value) {
    const Reading clamped = ClampReading(value);
    const Reading cents = clamped % 100;
    return std::to_string(clamped / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

}  // namespace vexilor
