#include "log_line.h"

#include <cstdio>

namespace vexilor {

std::string FormatTimestamp(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

std::string BuildLogLine(const LocalTime& time, const std::string& linkError,
                         const InstrumentReply& reply) {
    std::string line = FormatTimestamp(time);
    line += '\n';
    if (!linkError.empty()) {
        line += linkError;
        return line;
    }
    line += ReadingText(reply);
    line += '\n';
    if (reply.statusByte() & StatusAl1) {
        line += "ON";
    }
    line += '\n';
    if (reply.statusByte() & StatusAl2) {
        line += "ON";
    }
    return line;
}

}  // namespace vexilor
