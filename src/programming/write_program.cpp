#include "write_program.h"

#include <cstddef>

#include "link.h"

namespace vexilor {

void WriteProgram(InstrumentProtocol& protocol, const ProgramFrame& frame) {
    DiscardInput(protocol.port());
    protocol.ClearSendChecksum();
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
        protocol.SendByte(frame[i]);
        if (!protocol.Pause(ProgramBytePauseMs)) {
            return;
        }
    }
    // The XOR of what went out, which is the frame's own last byte.
    protocol.SendByte(protocol.SendChecksum());
    protocol.Pause(ProgramBytePauseMs);
}

}  // namespace vexilor
