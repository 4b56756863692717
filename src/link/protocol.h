#pragma once
// The byte protocol spoken with the instrument over the one SerialPort.
//
// Used by one thread at a time: the acquisition worker while it runs, or the
// main thread after it has stopped the worker. The stop signal lets the main
// thread cut a worker's exchange short: once a stop is requested no further
// byte is sent, and every pause and timed read returns at once.

#include <cstdint>

#include "instrument_reply.h"
#include "serial_port.h"
#include "stop_signal.h"

namespace vexilor {

inline constexpr std::int32_t ReadByteTimeoutMs = 400;

class InstrumentProtocol {
public:
    explicit InstrumentProtocol(SerialPort& port) : port_(port) {}

    SerialPort& port() { return port_; }
    StopSignal& stopSignal() { return stop_; }
    bool stopRequested() const { return stop_.requested(); }

    // Written by the main thread only while no worker runs.
    void setAddressing(std::uint8_t modelIndex, std::int32_t peripheralNumber) {
        modelIndex_ = modelIndex;
        peripheralNumber_ = peripheralNumber;
    }

    std::uint8_t AddressByte() const;
    void SendByte(std::uint8_t value);
    std::uint8_t ReadByteTimed();
    InstrumentReply ReadReply(std::int32_t waitMs);
    InstrumentReply QueryTransaction();
    InstrumentReply PollTransaction();
    void SendCommand(InstrumentCommand command);

    // A pause that a stop request cuts short; false when stopped.
    bool Pause(std::int32_t ms);

    std::uint8_t TransferByte() const { return transferByte_; }
    std::uint8_t SendChecksum() const { return sendChecksum_; }
    void ClearSendChecksum() { sendChecksum_ = 0; }

private:
    SerialPort& port_;
    StopSignal stop_;
    std::uint8_t modelIndex_ = 0;
    std::int32_t peripheralNumber_ = 0;
    std::uint8_t transferByte_ = 0;
    std::uint8_t sendChecksum_ = 0;
};

}  // namespace vexilor
