#pragma once
// Opening, closing and draining the link, and the scan for ports.

#include <cstdint>
#include <string>
#include <vector>

#include "link_error.h"
#include "serial_port.h"

namespace vexilor {

inline constexpr int OpenLinkAttempts = 100;
inline constexpr std::int32_t ProbeBaud = 9600;

// The names ProbePorts tries, in order: COM1 to COM256 on Windows; on POSIX
// the serial devices the system lists (natural order) and then the paths in
// VEXILOR_EXTRA_PORTS (colon-separated).
std::vector<std::string> PortCandidates();

// The candidates that open at 9600 baud, each closed again at once.
std::vector<std::string> ProbePorts(SerialPort& port);

// Up to 100 attempts at baud; LinkError becomes "" or "Can't open " + name.
void OpenLink(SerialPort& port, const std::string& name, std::int32_t baud, LinkError& error);
void CloseLink(SerialPort& port);
// Reads and drops what bytesWaiting counts; later bytes stay queued.
void DiscardInput(SerialPort& port);

}  // namespace vexilor
