#pragma once
// The one serial port of the program, opened with the instrument's fixed
// line settings: 8 data bits, no parity, one stop bit, no flow control,
// RTS held off, exclusive access. One backend per operating system.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace vexilor {

class StopSignal;

// What a wait for input ended with.
enum class InputWait {
    Ready,     // at least one byte is waiting
    TimedOut,  // the time-out passed with nothing waiting
    Stopped,   // a stop was requested
    Gone,      // the device hung up or failed (an unplugged adapter)
};

class SerialPort {
  public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // One attempt. name is a device path on POSIX (/dev/ttyUSB0) and a port
    // name on Windows (COM3). baud is one of 300, 600, 1200, 2400, 4800, 9600.
    bool open(const std::string& name, std::int32_t baud);
    void close();
    bool isOpen() const;

    // Bytes in the driver's input queue; 0 when closed.
    std::int32_t bytesWaiting();
    // Bytes read or written; 0 on failure or when closed. read never waits:
    // callers ask for at most what bytesWaiting counted.
    std::int32_t read(std::uint8_t* buffer, std::int32_t count);
    // Gives up after 10 ms plus 100 ms per byte.
    std::int32_t write(const std::uint8_t* buffer, std::int32_t count);

    // Blocks until a byte is waiting, the time-out passes or stop is
    // requested. Returns Gone at once when the device has gone away.
    InputWait waitForInput(std::chrono::microseconds timeout, const StopSignal* stop);

    // True once the open device hung up or failed for good (an unplugged
    // adapter), until close: the port still counts as open but carries
    // nothing, so its user can close it and try again. Any thread may ask.
    bool deviceGone() const { return deviceGone_.load(std::memory_order_acquire); }

    // The system's text for the last failure, for diagnostics.
    const std::string& lastErrorText() const { return lastErrorText_; }

  private:
    // Backend helpers: keep the system's text of a failure, and mark the
    // device gone when the failure is one it never recovers from.
    void noteFailure(int error);
    void markGone(const char* why);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string lastErrorText_;
    std::atomic<bool> deviceGone_{false};
};

}  // namespace vexilor
