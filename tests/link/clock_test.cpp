#include <gtest/gtest.h>
#include <poll.h>

#include <cstdlib>
#include <ctime>
#include <future>
#include <string>
#include <thread>

#include "clock.h"
#include "stop_signal.h"

namespace vexilor {
namespace {

using namespace std::chrono_literals;

bool Readable(const StopSignal& stop) {
    pollfd fd{static_cast<int>(stop.nativeHandle()), POLLIN, 0};
    return ::poll(&fd, 1, 0) == 1 && (fd.revents & POLLIN) != 0;
}

TEST(ClockTest, PauseLastsAtLeastItsLength) {
    StopSignal stop;
    for (const std::int32_t ms : {0, 1, 15}) {
        SCOPED_TRACE(ms);
        const std::int64_t startUs = MonotonicUs();
        const std::int64_t startMs = MonotonicMs();
        EXPECT_TRUE(Pause(ms, &stop));
        EXPECT_TRUE(Pause(ms));
        EXPECT_GE(MonotonicUs() - startUs, 2 * ms * 1000);
        EXPECT_GE(MonotonicMs() - startMs, 2 * ms);
    }
}

TEST(ClockTest, PauseUntilReturnsAfterDeadline) {
    const auto deadline = MonotonicClock::now() + 20ms;
    EXPECT_TRUE(PauseUntil(deadline));
    EXPECT_GE(MonotonicClock::now(), deadline);
}

TEST(ClockTest, StopEndsPauseAtOnce) {
    StopSignal stop;
    auto pause = std::async(std::launch::async, [&stop] { return Pause(60'000, &stop); });
    // Gives the pause time to start blocking; it ends as stopped either way.
    std::this_thread::sleep_for(20ms);
    stop.request();
    ASSERT_EQ(pause.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(pause.get());

    // Still set: every further pause ends at once.
    auto again = std::async(std::launch::async,
                            [&stop] { return PauseUntil(MonotonicClock::now() + 60s, &stop); });
    ASSERT_EQ(again.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(again.get());
}

TEST(ClockTest, ResetClearsStop) {
    StopSignal stop;
    EXPECT_FALSE(stop.requested());
    EXPECT_FALSE(Readable(stop));

    stop.request();
    stop.request();
    EXPECT_TRUE(stop.requested());
    EXPECT_TRUE(Readable(stop));

    stop.reset();
    EXPECT_FALSE(stop.requested());
    EXPECT_FALSE(Readable(stop));
    EXPECT_TRUE(Pause(1, &stop));
}

TEST(ClockTest, LocalTimeMatchesSystemCalendar) {
    // A zone half an hour off UTC, so a UTC reading cannot pass for local.
    const char* oldZone = std::getenv("TZ");
    const std::string savedZone = oldZone ? oldZone : "";
    ::setenv("TZ", "VXT-5:30", 1);
    ::tzset();
    struct RestoreZone {
        bool had;
        std::string zone;
        ~RestoreZone() {
            had ? ::setenv("TZ", zone.c_str(), 1) : ::unsetenv("TZ");
            ::tzset();
        }
    } restore{oldZone != nullptr, savedZone};

    // Retried when the second changes between the two readings.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const LocalTime local = CurrentLocalTime();
        if (std::time(nullptr) != before) {
            continue;
        }
        std::tm expected{};
        ::localtime_r(&before, &expected);
        std::tm utc{};
        ::gmtime_r(&before, &utc);
        ASSERT_NE(expected.tm_min, utc.tm_min);
        EXPECT_EQ(local.year, expected.tm_year + 1900);
        EXPECT_EQ(local.month, expected.tm_mon + 1);
        EXPECT_EQ(local.day, expected.tm_mday);
        EXPECT_EQ(local.hour, expected.tm_hour);
        EXPECT_EQ(local.minute, expected.tm_min);
        EXPECT_EQ(local.second, expected.tm_sec);
        return;
    }
    FAIL() << "the second kept changing";
}

}  // namespace
}  // namespace vexilor
