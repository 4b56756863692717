// The Win32 stop signal, pauses and the list of port names.

#include <gtest/gtest.h>

#include <future>
#include <string>

#include "clock.h"
#include "platform.h"
#include "stop_signal.h"
#include "win32_handle.h"

namespace vexilor {
namespace {

using namespace std::chrono_literals;

bool Signalled(const StopSignal& stop) {
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(stop.nativeHandle()), 0) == WAIT_OBJECT_0;
}

TEST(StopSignalTest, EventFollowsRequestAndReset) {
    StopSignal stop;
    ASSERT_NE(stop.nativeHandle(), 0);
    EXPECT_FALSE(stop.requested());
    EXPECT_FALSE(Signalled(stop));

    stop.request();
    stop.request();
    EXPECT_TRUE(stop.requested());
    // A manual-reset event: every wait sees it, not just the first.
    EXPECT_TRUE(Signalled(stop));
    EXPECT_TRUE(Signalled(stop));

    stop.reset();
    EXPECT_FALSE(stop.requested());
    EXPECT_FALSE(Signalled(stop));
}

TEST(PauseTest, LastsUntilDeadlineWithOrWithoutStop) {
    StopSignal stop;
    for (const std::int32_t ms : {0, 1, 15}) {
        SCOPED_TRACE(ms);
        const auto start = MonotonicClock::now();
        EXPECT_TRUE(Pause(ms, &stop));
        EXPECT_TRUE(Pause(ms));
        EXPECT_GE(MonotonicClock::now() - start, std::chrono::milliseconds(2 * ms));

        const auto deadline = MonotonicClock::now() + std::chrono::milliseconds(ms);
        EXPECT_TRUE(platform::WaitForStopUntil(nullptr, deadline));
        EXPECT_GE(MonotonicClock::now(), deadline);
        EXPECT_TRUE(platform::WaitForStopUntil(&stop, deadline + 1ms));
        EXPECT_GE(MonotonicClock::now(), deadline + 1ms);
    }
}

TEST(PauseTest, StopFromAnotherThreadEndsWaitAtOnce) {
    StopSignal stop;
    auto pause = std::async(std::launch::async, [&stop] {
        return platform::WaitForStopUntil(&stop, MonotonicClock::now() + 60s);
    });
    stop.request();
    ASSERT_EQ(pause.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(pause.get());

    // Still requested: the next pause does not wait at all.
    auto again = std::async(std::launch::async, [&stop] { return Pause(60'000, &stop); });
    ASSERT_EQ(again.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(again.get());
}

TEST(PortCandidatesTest, AreCom1ToCom256InOrder) {
    const std::vector<std::string> names = platform::PortCandidates();
    ASSERT_EQ(names.size(), 256u);
    const struct {
        std::size_t index;
        const char* name;
    } cases[] = {{0, "COM1"},  {1, "COM2"},    {8, "COM9"},
                 {9, "COM10"}, {99, "COM100"}, {255, "COM256"}};
    for (const auto& c : cases) {
        EXPECT_EQ(names[c.index], c.name) << c.index;
    }
}

TEST(LocalTimeTest, MatchesSystemLocalTime) {
    // Retried when the second changes between the readings.
    for (int attempt = 0; attempt < 5; ++attempt) {
        SYSTEMTIME before{};
        ::GetLocalTime(&before);
        const LocalTime local = CurrentLocalTime();
        SYSTEMTIME after{};
        ::GetLocalTime(&after);
        if (before.wSecond != after.wSecond) {
            continue;
        }
        EXPECT_EQ(local.year, before.wYear);
        EXPECT_EQ(local.month, before.wMonth);
        EXPECT_EQ(local.day, before.wDay);
        EXPECT_EQ(local.hour, before.wHour);
        EXPECT_EQ(local.minute, before.wMinute);
        EXPECT_EQ(local.second, before.wSecond);
        return;
    }
    FAIL() << "the second kept changing";
}

}  // namespace
}  // namespace vexilor
