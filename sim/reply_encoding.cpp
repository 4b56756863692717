#include "reply_encoding.h"

#include <array>

namespace vexilor {

namespace {

// Digit positions 1 to 8, most significant first.
std::array<std::uint8_t, 8> Digits(Reading reading) {
    std::array<std::uint8_t, 8> digits{};
    Reading rest = ClampReading(reading);
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        *it = static_cast<std::uint8_t>(rest % 10);
        rest /= 10;
    }
    return digits;
}

std::uint8_t Pack(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint8_t>((high << 4) | low);
}

}  // namespace

InstrumentReply EncodeReply(Reading reading, std::uint8_t statusBits) {
    std::array<std::uint8_t, 8> digits = Digits(reading);
    std::uint8_t status = static_cast<std::uint8_t>(statusBits & ~StatusLeadingOne);
    if (digits[0] == 1) {
        status |= StatusLeadingOne;
        digits[0] = 0;
    }
    InstrumentReply reply;
    reply.bytes[0] = status;
    for (std::size_t i = 0; i < 4; ++i) {
        reply.bytes[i + 1] = Pack(digits[2 * i], digits[2 * i + 1]);
    }
    reply.bytes[5] = ReplyChecksum(reply);
    return reply;
}

}  // namespace vexilor
