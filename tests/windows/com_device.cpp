#include "com_device.h"

namespace vexilor::test {

namespace {

win32::UniqueHandle OpenDevice(const std::string& name) {
    const std::string path = "\\\\.\\" + name;
    const HANDLE device = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    return win32::UniqueHandle(device == INVALID_HANDLE_VALUE ? nullptr : device);
}

std::optional<DCB> StateOf(HANDLE device) {
    DCB state{};
    state.DCBlength = sizeof(DCB);
    if (!::GetCommState(device, &state)) {
        return std::nullopt;
    }
    return state;
}

}  // namespace

std::optional<DCB> DeviceState(const std::string& name) {
    const win32::UniqueHandle device = OpenDevice(name);
    if (!device) {
        return std::nullopt;
    }
    return StateOf(device.get());
}

bool EditDeviceState(const std::string& name, const std::function<void(DCB&)>& edit) {
    const win32::UniqueHandle device = OpenDevice(name);
    if (!device) {
        return false;
    }
    std::optional<DCB> state = StateOf(device.get());
    if (!state) {
        return false;
    }
    edit(*state);
    return ::SetCommState(device.get(), &*state) != 0;
}

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace vexilor::test
