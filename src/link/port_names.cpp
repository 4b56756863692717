#include "port_names.h"

#include <algorithm>
#include <system_error>

namespace vexilor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The run of digits at pos, without its leading zeros; pos moves past it.
std::string_view TakeNumber(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    std::string_view run = text.substr(start, pos - start);
    const std::size_t firstNonZero = run.find_first_not_of('0');
    return firstNonZero == std::string_view::npos ? std::string_view() : run.substr(firstNonZero);
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = TakeNumber(a, i);
            const std::string_view y = TakeNumber(b, j);
            // Without leading zeros a longer run is a larger number.
            if (x.size() != y.size()) {
                return x.size() < y.size();
            }
            if (x != y) {
                return x < y;
            }
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i == a.size();
    }
    return a < b;
}

void SortNaturally(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
}

std::vector<std::string> SplitPathList(std::string_view list) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        if (end > start) {
            entries.emplace_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

std::vector<std::string> TtyNamesWithDriver(const std::filesystem::path& ttyClassDir) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(ttyClassDir, error);
    if (error) {
        return names;
    }
    // The error_code forms throughout: a failure ends the scan, never throws.
    const std::filesystem::directory_iterator end;
    for (; !error && entries != end; entries.increment(error)) {
        std::error_code missing;
        const std::filesystem::path path = entries->path();
        if (std::filesystem::exists(path / "device" / "driver", missing)) {
            names.push_back(path.filename().string());
        }
    }
    return names;
}

}  // namespace vexilor
