#pragma once
// The one serial port with the protocol spoken over it, and what the worker
// needs to win a lost device back. Used by the worker while it runs and by
// the main thread only while no worker runs.

#include <cstdint>
#include <string>

#include "link.h"
#include "protocol.h"
#include "serial_port.h"

namespace vexilor {

struct InstrumentLink {
    SerialPort port;
    InstrumentProtocol protocol{port};
    // Set when a device that was open went away (an unplugged adapter); the
    // worker then tries once per cycle to open it again with these settings.
    bool lost = false;
    std::string openedName;
    std::int32_t openedBaud = 0;
};

// OpenLink that also remembers the name and rate for a later reconnection.
void OpenInstrumentLink(InstrumentLink& link, const std::string& name, std::int32_t baud,
                        LinkError& error);
void CloseInstrumentLink(InstrumentLink& link);

}  // namespace vexilor
