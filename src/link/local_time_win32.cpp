#include <ctime>

#include "platform.h"

namespace vexilor::platform {

std::tm LocalCalendarTime(std::time_t time) {
    std::tm calendar{};
    ::localtime_s(&calendar, &time);
    return calendar;
}

}  // namespace vexilor::platform
