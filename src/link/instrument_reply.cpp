#include "instrument_reply.h"

namespace vexilor {

std::uint8_t AddressByte(std::uint8_t modelIndex, std::int32_t peripheralNumber) {
    if (modelIndex > 1) {
        return static_cast<std::uint8_t>(peripheralNumber & 0xFF);
    }
    return 1;
}

std::uint8_t ReplyChecksum(const InstrumentReply& reply) {
    std::uint8_t sum = 0;
    for (int i = 0; i < 5; ++i) {
        sum ^= reply.bytes[static_cast<std::size_t>(i)];
    }
    return sum;
}

bool ChecksumMatches(const InstrumentReply& reply) {
    return reply.checksum() == ReplyChecksum(reply);
}

bool InstrumentPresent(const InstrumentReply& reply) {
    return (reply.statusByte() & StatusPresentMask) != 0;
}

std::string ReadingText(const InstrumentReply& reply) {
    auto nibbles = [](std::uint8_t b) {
        return std::to_string(b >> 4) + std::to_string(b & 0x0F);
    };
    std::string text = (reply.statusByte() & StatusLeadingOne) ? "1" : "0";
    text += std::to_string(reply.digitByte(1) & 0x0F);
    text += nibbles(reply.digitByte(2));
    text += nibbles(reply.digitByte(3));
    text += ".";
    text += nibbles(reply.digitByte(4));
    return text;
}

}  // namespace vexilor
