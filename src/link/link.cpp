#include "link.h"

#include <algorithm>
#include <array>

#include "platform.h"

namespace vexilor {

std::vector<std::string> PortCandidates() {
    return platform::PortCandidates();
}

std::vector<std::string> ProbePorts(SerialPort& port) {
    std::vector<std::string> present;
    for (const std::string& name : PortCandidates()) {
        if (port.open(name, ProbeBaud)) {
            present.push_back(name);
            port.close();
        }
    }
    return present;
}

void OpenLink(SerialPort& port, const std::string& name, std::int32_t baud, LinkError& error) {
    // Retried at once: a port that cannot be opened costs quick failures only.
    for (int attempt = 0; attempt < OpenLinkAttempts; ++attempt) {
        if (port.open(name, baud)) {
            break;
        }
    }
    if (port.isOpen()) {
        error.clear();
    } else {
        error.set(CantOpenPrefix + name);
    }
}

void CloseLink(SerialPort& port) {
    port.close();
}

void DiscardInput(SerialPort& port) {
    std::int32_t left = port.bytesWaiting();
    std::array<std::uint8_t, 256> sink{};
    while (left > 0) {
        const std::int32_t chunk = std::min<std::int32_t>(left, sink.size());
        const std::int32_t got = port.read(sink.data(), chunk);
        if (got <= 0) {
            break;
        }
        left -= got;
    }
}

}  // namespace vexilor
