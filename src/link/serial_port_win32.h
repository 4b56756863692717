#pragma once
// The fixed line settings of the Win32 serial port, as the values handed to
// the driver. Separate from the port so that they can be checked without a
// device.

#include <cstdint>
#include <string>

#include "win32_handle.h"

namespace vexilor::win32 {

// Longest part of a port name that goes into the device path.
inline constexpr std::size_t MaxPortNameLength = 59;
inline constexpr DWORD InputQueueSize = 1024;
inline constexpr DWORD OutputQueueSize = 1024;

// "\\.\" and the first 59 characters of name, so that COM10 and above open
// as well as COM1.
std::string DevicePath(const std::string& name);

// 300, 600, 1200, 2400, 4800 and 9600: the rates of the instrument.
bool IsLineBaud(std::int32_t baud);

// The line state read from the driver with the instrument's settings put
// in: baud, 8N1 with the parity-checking flag, no CTS flow control, RTS
// held off. Every other field keeps what the driver reported.
DCB WithLineSettings(DCB found, std::int32_t baud);

// Reads return only when every requested byte has come (callers ask only
// for what is queued); writes give up after 10 ms plus 100 ms per byte.
COMMTIMEOUTS LineTimeouts();

}  // namespace vexilor::win32
