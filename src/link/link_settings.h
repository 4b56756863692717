#pragma once
// LinkSettings: how the program reaches the instrument. Owned by the main
// thread; the acquisition worker gets what it needs (the address and the
// port text) when it is started, since these change only while no worker
// runs.

#include <cstdint>

namespace vexilor {

struct LinkSettings {
    std::int32_t portPosition = 0;  // 1-based row of the Port list
    std::int32_t baudRate = 0;      // 300 to 9600
    std::int32_t peripheralNumber = 0;
    std::uint8_t modelIndex = 0;
};

}  // namespace vexilor
