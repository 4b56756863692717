#pragma once
// Small helpers shared by the Win32 backends: an owning HANDLE and the
// system's text for an error code.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <string>

namespace vexilor::win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

// Owns one kernel handle and closes it when it goes. Null means none; the
// INVALID_HANDLE_VALUE of a failed CreateFile is never stored.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The system's message for a GetLastError code, without the trailing line
// break; the code in decimal when the system has no text for it.
inline std::string ErrorText(DWORD error) {
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, buffer, sizeof buffer, nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ')) {
        --length;
    }
    if (length == 0) {
        return "Error " + std::to_string(error);
    }
    return std::string(buffer, length);
}

}  // namespace vexilor::win32
