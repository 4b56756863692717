#include "record_log.h"

#include <cerrno>
#include <cstring>

namespace vexilor {

std::optional<RecordLog> RecordLog::open(const std::string& path, std::string& error) {
    RecordLog log;
    if (path.empty()) {
        return log;
    }
    log.file_.reset(std::fopen(path.c_str(), "w"));
    if (!log.file_) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return log;
}

void RecordLog::write(std::int64_t monotonicNanos, Direction direction, std::uint8_t byte) {
    if (!file_) {
        return;
    }
    std::fprintf(file_.get(), "%lld %s %02X\n", static_cast<long long>(monotonicNanos / 1000),
                 direction == Direction::Received ? "rx" : "tx", byte);
    std::fflush(file_.get());
}

}  // namespace vexilor
