#pragma once
// LinkError: the one text that says what went wrong on the link, empty when
// the last cycle on an open port went well. Written by the acquisition worker
// and by OpenLink on the main thread, read by both: every access takes the
// lock, so a reader always sees a whole text.

#include <mutex>
#include <string>

namespace vexilor {

inline constexpr const char* CantOpenPrefix = "Can't open ";
inline constexpr const char* IncorrectChecksumText = "Incorrect CheckSum on response";
inline constexpr const char* NoInstrumentText = "No vexilor connected";

class LinkError {
public:
    std::string text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }
    void set(std::string text) {
        std::lock_guard lock(mutex_);
        text_ = std::move(text);
    }
    void clear() { set(std::string()); }
    bool empty() const {
        std::lock_guard lock(mutex_);
        return text_.empty();
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace vexilor
