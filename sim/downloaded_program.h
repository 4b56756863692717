#pragma once
// What the instrument takes from a download frame.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "frame_parser.h"
#include "reading.h"

namespace vexilor {

// Flag byte bits of AL1 and AL2; only "on" changes what this instrument does.
inline constexpr std::uint8_t AlarmFlagOn = 0x10;

struct AlarmSetting {
    bool on = false;
    // Compared with the reading digit for digit, the point ignored: a
    // set-point of 10000 trips at 100.00.
    Reading setPoint = 0;
};

struct DownloadedProgram {
    std::uint8_t functionCode = 0;  // 0x10 SPEED, 0x20 TOTAL, 0x40 SECON
    AlarmSetting al1;
    AlarmSetting al2;
    // Empty when the field holds no valid BCD number.
    std::optional<std::int64_t> peripheralNumber;
    std::optional<std::int64_t> baudRate;
};

DownloadedProgram DecodeProgram(const DownloadParameters& parameters);

// Packed BCD, most significant byte first; empty when a nibble is above 9.
std::optional<std::int64_t> UnpackBcd(std::span<const std::uint8_t> bytes);

// "SPEED", "TOTAL", "SECON", or the code in hex when it is none of them.
std::string FunctionName(std::uint8_t functionCode);

}  // namespace vexilor
