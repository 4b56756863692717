#include "single_byte_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vexilor {
namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

struct Decoded {
    std::uint32_t codePoint = 0;
    std::size_t length = 0;  // 0: no well-formed character starts here
};

// The lead byte fixes the length and the allowed range of the second byte,
// which rules out overlong forms, surrogates and values beyond U+10FFFF.
Decoded DecodeOne(std::string_view text, std::size_t at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    std::uint8_t secondLow = 0x80;
    std::uint8_t secondHigh = 0xBF;
    std::uint32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        if (lead == 0xE0) {
            secondLow = 0xA0;
        } else if (lead == 0xED) {
            secondHigh = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        if (lead == 0xF0) {
            secondLow = 0x90;
        } else if (lead == 0xF4) {
            secondHigh = 0x8F;
        }
    } else {
        return {};
    }
    if (text.size() - at < length) {
        return {};
    }
    const auto second = static_cast<std::uint8_t>(text[at + 1]);
    if (second < secondLow || second > secondHigh) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<std::uint8_t>(text[at + i]);
        if (!IsContinuation(byte)) {
            return {};
        }
        codePoint = (codePoint << 6) | (byte & 0x3Fu);
    }
    return {codePoint, length};
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string Utf8ToSingleByte(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const Decoded decoded = DecodeOne(utf8, at);
        if (decoded.length == 0) {
            out.push_back('?');
            ++at;
            continue;
        }
        out.push_back(decoded.codePoint <= 0xFF ? static_cast<char>(decoded.codePoint) : '?');
        at += decoded.length;
    }
    return out;
}

}  // namespace vexilor
