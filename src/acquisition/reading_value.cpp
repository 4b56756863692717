#include "reading_value.h"

#include <limits>

namespace vexilor {

std::int64_t ReadingValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (limit - digit) / 10) {
            return negative ? std::numeric_limits<std::int64_t>::min() : limit;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

MaxMinTexts AssignMaxMin(const std::string& first, const std::string& second) {
    if (ReadingValue(second) > ReadingValue(first)) {
        return {second, first};
    }
    return {first, second};
}

}  // namespace vexilor
