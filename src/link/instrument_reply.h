#pragma once
// The six-byte reply of the instrument and what is read from it.

#include <array>
#include <cstdint>
#include <string>

namespace vexilor {

// Command bytes that open an exchange with the instrument.
enum class InstrumentCommand : std::uint8_t {
    Query = 0xFB,
    Hold = 0xFC,
    Download = 0xFE,
    Reset = 0xFF,
};

// StatusByte bits. 0x02 and 0x80 carry nothing.
inline constexpr std::uint8_t StatusLeadingOne = 0x01;
inline constexpr std::uint8_t StatusAl1 = 0x04;
inline constexpr std::uint8_t StatusAl2 = 0x08;
inline constexpr std::uint8_t StatusHold = 0x10;
inline constexpr std::uint8_t StatusPresentMask = 0x60;

inline constexpr int ReplyLength = 6;

// Bytes in the order they arrive: StatusByte, digit bytes 1 to 4 (packed BCD,
// two digit positions each, high nibble first), checksum (XOR of the five).
struct InstrumentReply {
    std::array<std::uint8_t, ReplyLength> bytes{};

    std::uint8_t statusByte() const { return bytes[0]; }
    // n is 1 to 4, as the digit bytes are numbered on the line.
    std::uint8_t digitByte(int n) const { return bytes[static_cast<std::size_t>(n)]; }
    std::uint8_t checksum() const { return bytes[5]; }

    friend bool operator==(const InstrumentReply&, const InstrumentReply&) = default;
};

// The address sent in every exchange: models 0 and 1 are single-address
// instruments and always answer at 1; the bus models use the low 8 bits of
// the peripheral number.
std::uint8_t AddressByte(std::uint8_t modelIndex, std::int32_t peripheralNumber);

// XOR of bytes 0 to 4 of a reply, the value byte 5 must hold.
std::uint8_t ReplyChecksum(const InstrumentReply& reply);

bool ChecksumMatches(const InstrumentReply& reply);
bool InstrumentPresent(const InstrumentReply& reply);

// Six digits, ".", two digits, built from the leading-one bit and the
// nibbles; a nibble of 10 to 15 is written as its two-character decimal value.
std::string ReadingText(const InstrumentReply& reply);

}  // namespace vexilor
