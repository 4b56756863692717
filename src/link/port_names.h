#pragma once
// Building the list of port names that ProbePorts tries on POSIX.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vexilor {

// Natural order: runs of digits compare by their value, everything else
// character by character, so ttyS2 comes before ttyS10. Names of equal value
// (ttyS2, ttyS02) fall back to plain order, which keeps the order strict.
bool NaturalLess(std::string_view a, std::string_view b);
void SortNaturally(std::vector<std::string>& names);

// The entries of a colon-separated list, empty entries skipped.
std::vector<std::string> SplitPathList(std::string_view list);

// The names in a tty class directory (/sys/class/tty) that stand for a real
// device, one with a device/driver link; the virtual consoles have none.
// Unsorted; an unreadable directory gives none.
std::vector<std::string> TtyNamesWithDriver(const std::filesystem::path& ttyClassDir);

}  // namespace vexilor
