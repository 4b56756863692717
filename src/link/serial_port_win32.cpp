// The serial port on Windows: a comm device opened for exclusive,
// synchronous use with CreateFileA, set up with SetCommState and
// SetCommTimeouts, and counted, read and written with ClearCommError,
// ReadFile and WriteFile.

#include "serial_port_win32.h"

#include <algorithm>
#include <cstdint>

#include "platform.h"
#include "serial_port.h"
#include "stop_signal.h"

namespace vexilor {

struct SerialPort::Impl {
    win32::UniqueHandle device;
};

namespace win32 {

std::string DevicePath(const std::string& name) {
    return "\\\\.\\" + name.substr(0, std::min(name.size(), MaxPortNameLength));
}

bool IsLineBaud(std::int32_t baud) {
    switch (baud) {
        case 300:
        case 600:
        case 1200:
        case 2400:
        case 4800:
        case 9600:
            return true;
        default:
            return false;
    }
}

DCB WithLineSettings(DCB found, std::int32_t baud) {
    DCB line = found;
    line.BaudRate = static_cast<DWORD>(baud);
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fParity = TRUE;
    line.fOutxCtsFlow = FALSE;
    line.fRtsControl = RTS_CONTROL_DISABLE;
    return line;
}

COMMTIMEOUTS LineTimeouts() {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 100;
    timeouts.WriteTotalTimeoutConstant = 10;
    return timeouts;
}

}  // namespace win32

namespace {

// A synchronous comm handle cannot be waited on with a time-out (that takes
// overlapped I/O), so a wait for input looks at the queue once a
// millisecond and sleeps on the stop event in between.
constexpr DWORD InputCheckStepMs = 1;

// Errors after which the device will never carry bytes again: the adapter
// was unplugged or its driver gave up on it.
bool IsGoneError(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_COMMAND:
        case ERROR_GEN_FAILURE:
        case ERROR_INVALID_HANDLE:
        case ERROR_NOT_READY:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEVICE_REMOVED:
            return true;
        default:
            return false;
    }
}

// Sleeps for up to step, or less when stop is requested meanwhile.
void WaitForStopStep(const StopSignal* stop, DWORD step) {
    const HANDLE event = stop != nullptr ? reinterpret_cast<HANDLE>(stop->nativeHandle()) : nullptr;
    if (event != nullptr) {
        ::WaitForSingleObject(event, step);
    } else {
        ::Sleep(step);
    }
}

}  // namespace

SerialPort::SerialPort() : impl_(std::make_unique<Impl>()) {}

SerialPort::~SerialPort() {
    close();
}

bool SerialPort::open(const std::string& name, std::int32_t baud) {
    close();
    // Checked here, as a driver may take rates the instrument cannot.
    if (!win32::IsLineBaud(baud)) {
        lastErrorText_ = "Unsupported baud rate " + std::to_string(baud);
        return false;
    }
    const std::string path = win32::DevicePath(name);
    const HANDLE opened = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        lastErrorText_ = win32::ErrorText(::GetLastError());
        return false;
    }
    win32::UniqueHandle device(opened);
    // Only a request: a driver with fixed queues keeps its own sizes.
    ::SetupComm(opened, win32::InputQueueSize, win32::OutputQueueSize);

    DCB found{};
    found.DCBlength = sizeof(DCB);
    if (!::GetCommState(opened, &found)) {
        lastErrorText_ = win32::ErrorText(::GetLastError());
        return false;
    }
    DCB line = win32::WithLineSettings(found, baud);
    if (!::SetCommState(opened, &line)) {
        lastErrorText_ = win32::ErrorText(::GetLastError());
        return false;
    }
    COMMTIMEOUTS timeouts = win32::LineTimeouts();
    ::SetCommTimeouts(opened, &timeouts);

    impl_->device = std::move(device);
    deviceGone_.store(false, std::memory_order_release);
    lastErrorText_.clear();
    return true;
}

void SerialPort::close() {
    impl_->device.reset();
    deviceGone_.store(false, std::memory_order_release);
}

bool SerialPort::isOpen() const {
    return impl_->device != nullptr;
}

std::int32_t SerialPort::bytesWaiting() {
    if (!isOpen()) {
        return 0;
    }
    // Also clears the line errors (framing, overrun, parity); nobody wants
    // them, and a pending one would block the next read.
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(impl_->device.get(), &errors, &status)) {
        // The one failure of this call on an open port: the device is gone.
        markGone(win32::ErrorText(::GetLastError()).c_str());
        return 0;
    }
    return static_cast<std::int32_t>(std::min<DWORD>(status.cbInQue, INT32_MAX));
}

std::int32_t SerialPort::read(std::uint8_t* buffer, std::int32_t count) {
    if (!isOpen() || buffer == nullptr || count <= 0) {
        return 0;
    }
    DWORD got = 0;
    if (!::ReadFile(impl_->device.get(), buffer, static_cast<DWORD>(count), &got, nullptr)) {
        noteFailure(static_cast<int>(::GetLastError()));
    }
    return static_cast<std::int32_t>(got);
}

std::int32_t SerialPort::write(const std::uint8_t* buffer, std::int32_t count) {
    if (!isOpen() || buffer == nullptr || count <= 0) {
        return 0;
    }
    // The write time-outs end a write the driver cannot finish: a short count.
    DWORD sent = 0;
    if (!::WriteFile(impl_->device.get(), buffer, static_cast<DWORD>(count), &sent, nullptr)) {
        noteFailure(static_cast<int>(::GetLastError()));
    }
    return static_cast<std::int32_t>(sent);
}

InputWait SerialPort::waitForInput(std::chrono::microseconds timeout, const StopSignal* stop) {
    const auto deadline = MonotonicClock::now() + timeout;
    if (!isOpen()) {
        return platform::WaitForStopUntil(stop, deadline) ? InputWait::TimedOut
                                                          : InputWait::Stopped;
    }
    // The 1 ms steps need the fine timer; without it a step lasts 15 ms.
    platform::RaiseTimerResolution();
    for (;;) {
        if (stop != nullptr && stop->requested()) {
            return InputWait::Stopped;
        }
        if (deviceGone()) {
            return InputWait::Gone;
        }
        if (bytesWaiting() > 0) {
            return InputWait::Ready;
        }
        if (deviceGone()) {
            return InputWait::Gone;
        }
        if (MonotonicClock::now() >= deadline) {
            return InputWait::TimedOut;
        }
        WaitForStopStep(stop, InputCheckStepMs);
    }
}

void SerialPort::noteFailure(int error) {
    lastErrorText_ = win32::ErrorText(static_cast<DWORD>(error));
    if (IsGoneError(static_cast<DWORD>(error))) {
        deviceGone_.store(true, std::memory_order_release);
    }
}

void SerialPort::markGone(const char* why) {
    lastErrorText_ = why;
    deviceGone_.store(true, std::memory_order_release);
}

}  // namespace vexilor
