// The pure rules of a cycle: Max and Min, the LogLine, the logging pace and
// the trimming of the table.

#include <gtest/gtest.h>

#include <vector>

#include "log_line.h"
#include "logging_step.h"
#include "reading_value.h"

namespace vexilor {
namespace {

TEST(ReadingValue, ReadsTheLeadingSignedInteger) {
    const struct {
        const char* text;
        std::int64_t value;
    } cases[] = {
        {"012345.67", 12345},
        {"---", 0},
        {"", 0},
        {" \t-12.5", -12},
        {"+7", 7},
        {"114141.41", 114141},
        {"1000000.00", 1000000},
        {"99999999999999999999", INT64_MAX},
        {"-99999999999999999999", INT64_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadingValue(c.text), c.value);
    }
}

TEST(AssignMaxMin, SecondIsMaxOnlyWhenStrictlyGreater) {
    const struct {
        const char* first;
        const char* second;
        const char* max;
        const char* min;
    } cases[] = {
        {"000012.50", "000012.90", "000012.50", "000012.90"},  // equal integer values
        {"---", "000003.00", "000003.00", "---"},
        {"000005.00", "---", "000005.00", "---"},
        {"---", "---", "---", "---"},
        {"000001.00", "100000.00", "100000.00", "000001.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        const MaxMinTexts texts = AssignMaxMin(c.first, c.second);
        EXPECT_EQ(texts.max, c.max);
        EXPECT_EQ(texts.min, c.min);
    }
}

InstrumentReply Reply(std::uint8_t status, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                      std::uint8_t d4) {
    InstrumentReply reply;
    reply.bytes = {status, d1, d2, d3, d4, 0};
    reply.bytes[5] = ReplyChecksum(reply);
    return reply;
}

TEST(LogLine, HasTheTwoShapes) {
    const LocalTime t{2016, 5, 23, 7, 7, 2};
    EXPECT_EQ(FormatTimestamp(t), "2016/05/23 07:07:02");
    EXPECT_EQ(FormatTimestamp(LocalTime{2026, 12, 31, 23, 59, 59}), "2026/12/31 23:59:59");

    const InstrumentReply quiet = Reply(0x20, 0x00, 0x01, 0x50, 0x00);
    EXPECT_EQ(BuildLogLine(t, "", quiet), "2016/05/23 07:07:02\n000150.00\n\n");
    const InstrumentReply al1 = Reply(0x24, 0x00, 0x01, 0x50, 0x00);
    EXPECT_EQ(BuildLogLine(t, "", al1), "2016/05/23 07:07:02\n000150.00\nON\n");
    const InstrumentReply both = Reply(0x2D, 0x02, 0x34, 0x56, 0x78);
    EXPECT_EQ(BuildLogLine(t, "", both), "2016/05/23 07:07:02\n123456.78\nON\nON");
    EXPECT_EQ(BuildLogLine(t, "No vexilor connected", both),
              "2016/05/23 07:07:02\nNo vexilor connected");
    EXPECT_EQ(BuildLogLine(t, "Can't open ", both), "2016/05/23 07:07:02\nCan't open ");
}

// Cycles that log, counted from 1 after logging was switched on.
std::vector<int> LoggedCycles(std::int32_t interval, int cycles) {
    LoggingState state;
    state.logInterval = interval;
    state.logTick = 7;   // whatever it counted before
    state.logTick = -1;  // logging switched on
    std::vector<int> logged;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (AdvanceLogTick(state)) {
            logged.push_back(cycle);
        }
    }
    return logged;
}

TEST(LoggingStep, LogsAtOnceThenEveryIntervalCycles) {
    EXPECT_EQ(LoggedCycles(5, 12), (std::vector<int>{1, 6, 11}));
    EXPECT_EQ(LoggedCycles(1, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(LoggedCycles(0, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(LoggedCycles(-3, 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(LoggedCycles(INT32_MAX, 3), (std::vector<int>{1}));
}

TEST(LoggingStep, TrimsFromIndexMaxRecordsMinusOne) {
    const struct {
        std::int32_t maxRecords;
        int rows;
        int first;
        int count;
    } cases[] = {
        {3, 5, 2, 3},                   // the new row and the two newest old rows remain
        {3, 2, 0, 0},                   // room left: nothing removed
        {3, 3, 2, 1},   {1, 4, 0, 4},   // only the new row remains
        {10, 0, 0, 0},  {0, 50, 0, 0},  // below 1: no trimming instead of an endless loop
        {-5, 50, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxRecords << " / " << c.rows);
        const TrimRange trim = RowsToTrim(c.maxRecords, c.rows);
        EXPECT_EQ(trim.count, c.count);
        if (c.count > 0) {
            EXPECT_EQ(trim.first, c.first);
        }
    }
}

}  // namespace
}  // namespace vexilor
