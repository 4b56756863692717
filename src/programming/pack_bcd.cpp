#include "pack_bcd.h"

#include <cstddef>

namespace vexilor {
namespace {

constexpr std::size_t BcdDigits = 8;

std::uint8_t DigitValue(char c) {
    return (c >= '0' && c <= '9') ? static_cast<std::uint8_t>(c - '0') : 0;
}

std::string EightCharacters(const std::string& text) {
    if (text.size() >= BcdDigits) {
        return text.substr(0, BcdDigits);
    }
    return std::string(BcdDigits - text.size(), '0') + text;
}

}  // namespace

std::array<std::uint8_t, 4> PackBcd(const std::string& text) {
    const std::string digits = EightCharacters(text);
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto high = DigitValue(digits[2 * i]);
        const auto low = DigitValue(digits[2 * i + 1]);
        bytes[i] = static_cast<std::uint8_t>((high << 4) | low);
    }
    return bytes;
}

}  // namespace vexilor
