#pragma once
// The export file of the log table: a header line and one line per row, each
// of four right-aligned fields (Time, Read, AL1, AL2) and CR LF.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexilor {

inline constexpr std::array<std::size_t, 4> LogFieldWidths = {25, 25, 6, 6};
inline constexpr std::array<std::string_view, 4> LogFieldHeaders = {"Time", "Read", "AL1", "AL2"};

// The four cell texts of one table row: Time, Read, AL1, AL2.
using LogRow = std::array<std::string, 4>;

// Right-aligned with leading spaces; a longer text keeps its first width
// characters.
std::string FitToWidth(std::string_view text, std::size_t width);

// The whole export file for these rows, row 0 (the newest) first.
std::string BuildLogExport(const std::vector<LogRow>& rows);

}  // namespace vexilor
