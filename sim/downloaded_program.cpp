#include "downloaded_program.h"

#include <cstdio>

namespace vexilor {

namespace {

// Offsets within the 48 parameter bytes (the frame offset less the command
// and address bytes).
constexpr std::size_t FunctionOffset = 0;
constexpr std::size_t Al1Offset = 20;
constexpr std::size_t Al2Offset = 24;
constexpr std::size_t PeripheralOffset = 40;
constexpr std::size_t BaudOffset = 44;

// A flag byte and the three BCD bytes of its six-digit value.
AlarmSetting DecodeAlarm(const DownloadParameters& parameters, std::size_t offset) {
    AlarmSetting alarm;
    alarm.on = (parameters[offset] & AlarmFlagOn) != 0;
    const auto value = UnpackBcd(std::span(parameters).subspan(offset + 1, 3));
    alarm.setPoint = value.value_or(0);
    return alarm;
}

}  // namespace

std::optional<std::int64_t> UnpackBcd(std::span<const std::uint8_t> bytes) {
    std::int64_t value = 0;
    for (const std::uint8_t byte : bytes) {
        const int high = byte >> 4;
        const int low = byte & 0x0F;
        if (high > 9 || low > 9) {
            return std::nullopt;
        }
        value = value * 100 + high * 10 + low;
    }
    return value;
}

DownloadedProgram DecodeProgram(const DownloadParameters& parameters) {
    const std::span<const std::uint8_t> all(parameters);
    DownloadedProgram program;
    program.functionCode = parameters[FunctionOffset];
    program.al1 = DecodeAlarm(parameters, Al1Offset);
    program.al2 = DecodeAlarm(parameters, Al2Offset);
    program.peripheralNumber = UnpackBcd(all.subspan(PeripheralOffset, 4));
    program.baudRate = UnpackBcd(all.subspan(BaudOffset, 4));
    return program;
}

std::string FunctionName(std::uint8_t functionCode) {
    switch (functionCode) {
        case 0x10:
            return "SPEED";
        case 0x20:
            return "TOTAL";
        case 0x40:
            return "SECON";
        default: {
            char text[8];
            std::snprintf(text, sizeof text, "0x%02X", functionCode);
            return text;
        }
    }
}

}  // namespace vexilor
