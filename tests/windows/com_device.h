#pragma once
// Direct access to a comm device around the port under test: set it to a
// known state before, read back what the port left in the driver after.

#include <functional>
#include <optional>
#include <string>

#include "win32_handle.h"

namespace vexilor::test {

// The driver's line state of the named port ("COM1"); nullopt when the
// device does not open or does not report it.
std::optional<DCB> DeviceState(const std::string& name);

// Reads the line state, lets edit change it and applies it; false when any
// step fails.
bool EditDeviceState(const std::string& name, const std::function<void(DCB&)>& edit);

// True under wine, whose serial devices differ from Windows in ways the
// tests name where they meet them.
bool RunningUnderWine();

}  // namespace vexilor::test
