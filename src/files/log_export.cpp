#include "log_export.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace vexilor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLineLength =
    std::accumulate(LogFieldWidths.begin(), LogFieldWidths.end(), std::size_t{0}) + kLineEnd.size();

// Fills a field at a position of the output; the export sizes its buffer
// once and writes every field in place, with no temporary strings.
char* FillFitted(char* at, std::string_view text, std::size_t width) {
    const std::size_t kept = std::min(text.size(), width);
    std::memset(at, ' ', width - kept);
    if (kept > 0) {
        std::memcpy(at + (width - kept), text.data(), kept);
    }
    return at + width;
}

template <typename Cells>
char* FillLine(char* at, const Cells& cells) {
    for (std::size_t field = 0; field < LogFieldWidths.size(); ++field) {
        at = FillFitted(at, cells[field], LogFieldWidths[field]);
    }
    std::memcpy(at, kLineEnd.data(), kLineEnd.size());
    return at + kLineEnd.size();
}

}  // namespace

std::string FitToWidth(std::string_view text, std::size_t width) {
    std::string out(width, ' ');
    FillFitted(out.data(), text, width);
    return out;
}

std::string BuildLogExport(const std::vector<LogRow>& rows) {
    std::string out((rows.size() + 1) * kLineLength, ' ');
    char* at = FillLine(out.data(), LogFieldHeaders);
    for (const LogRow& row : rows) {
        at = FillLine(at, row);
    }
    return out;
}

}  // namespace vexilor
