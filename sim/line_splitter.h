#pragma once
// Collects bytes read from a pipe or terminal and hands out whole lines.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vexilor {

class LineSplitter {
  public:
    void append(std::string_view bytes) { pending_.append(bytes); }

    // The next complete line without its line end, or nothing yet.
    std::optional<std::string> nextLine() {
        const auto end = pending_.find('\n');
        if (end == std::string::npos) {
            return std::nullopt;
        }
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return line;
    }

    // What is left once the writer has gone: a last line without a line end.
    std::optional<std::string> rest() {
        if (pending_.empty()) {
            return std::nullopt;
        }
        return std::exchange(pending_, std::string());
    }

  private:
    std::string pending_;
};

}  // namespace vexilor
