// The simulated instrument's reading over time, and the command line and
// control commands that steer it.

#include <gtest/gtest.h>

#include <vector>

#include "control_command.h"
#include "instrument_model.h"
#include "reading.h"
#include "sim_options.h"

namespace vexilor {
namespace {

std::vector<std::string> ShownAfterTicks(InstrumentModel& model, int ticks) {
    std::vector<std::string> shown;
    for (int i = 0; i < ticks; ++i) {
        model.tick();
        shown.push_back(FormatReading(model.shownReading()));
    }
    return shown;
}

TEST(InstrumentModel, ReadingMovesEachSecondByMode) {
    ModelConfig counter;
    counter.step = 100;
    InstrumentModel counting(counter);
    EXPECT_EQ(ShownAfterTicks(counting, 3), (std::vector<std::string>{"1.00", "2.00", "3.00"}));

    ModelConfig ramp;
    ramp.mode = ReadingMode::Ramp;
    ramp.step = 150;
    ramp.rampTop = 400;
    InstrumentModel ramping(ramp);
    EXPECT_EQ(
        ShownAfterTicks(ramping, 8),
        (std::vector<std::string>{"1.50", "3.00", "4.00", "2.50", "1.00", "0.00", "1.50", "3.00"}));
    EXPECT_EQ(ramping.largestSeen(), 400);
    EXPECT_EQ(ramping.smallestSeen(), 0);
}

TEST(InstrumentModel, FixedReadingStaysUntilReleased) {
    InstrumentModel model(ModelConfig{});
    model.fixReading(5000);
    EXPECT_EQ(ShownAfterTicks(model, 2), (std::vector<std::string>{"50.00", "50.00"}));
    model.releaseReading();
    EXPECT_EQ(ShownAfterTicks(model, 1), (std::vector<std::string>{"51.00"}));
    model.fixReading(MaxReading + 500);
    EXPECT_EQ(model.liveReading(), MaxReading);
}

TEST(InstrumentModel, SingleAddressModelStaysAtOne) {
    ModelConfig single;
    single.bus = false;
    single.address = 9;
    InstrumentModel model(single);
    EXPECT_EQ(model.address(), 1);
    EXPECT_FALSE(model.setAddress(4));
    EXPECT_EQ(model.address(), 1);

    InstrumentModel bus(ModelConfig{});
    EXPECT_TRUE(bus.setAddress(250));
    EXPECT_EQ(bus.address(), 250);
}

TEST(Reading, ParsesAndFormats) {
    struct Case {
        const char* text;
        std::optional<Reading> value;
    };
    const std::vector<Case> cases = {
        {"123456.78", 12345678},
        {"150", 15000},
        {"1.5", 150},
        {"0", 0},
        {"999999.99", MaxReading},
        {"1000000", std::nullopt},
        {"1.234", std::nullopt},
        {"-5", std::nullopt},
        {"", std::nullopt},
        {"1.", std::nullopt},
        {"a1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseReading(c.text), c.value);
    }
    EXPECT_EQ(FormatReading(12345678), "123456.78");
    EXPECT_EQ(FormatReading(5), "0.05");
}

TEST(ControlCommand, ParsesEachCommand) {
    struct Case {
        const char* line;
        CommandKind kind;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"fault short 2", CommandKind::SetFault, "fault short 2"},
        {"  fault   silent \r", CommandKind::SetFault, "fault silent"},
        {"vanish", CommandKind::Vanish, "vanish"},
        {"return", CommandKind::Return, "return"},
        {"address 250", CommandKind::SetAddress, "address 250"},
        {"reading 1.5", CommandKind::FixReading, "reading 1.5"},
        {"reading run", CommandKind::FreeReading, "reading run"},
        {"quit", CommandKind::Quit, "quit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ParsedCommand parsed = ParseControlCommand(c.line);
        ASSERT_TRUE(std::holds_alternative<ControlCommand>(parsed));
        const auto& command = std::get<ControlCommand>(parsed);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.text, c.text);
    }
    const auto shortFault = std::get<ControlCommand>(ParseControlCommand("fault short 2"));
    EXPECT_EQ(shortFault.fault, (Fault{FaultKind::Short, 2}));
    EXPECT_EQ(std::get<ControlCommand>(ParseControlCommand("address 250")).address, 250);
    EXPECT_EQ(std::get<ControlCommand>(ParseControlCommand("reading 1.5")).reading, 150);
}

TEST(ControlCommand, RefusesMalformedLines) {
    for (const char* line : {"fault short 6", "fault loud", "fault", "address 251", "address x",
                             "reading 1.234", "reading", "vanish now", "hello"}) {
        SCOPED_TRACE(line);
        const ParsedCommand parsed = ParseControlCommand(line);
        ASSERT_TRUE(std::holds_alternative<CommandError>(parsed));
        EXPECT_EQ(std::get<CommandError>(parsed).text, line);
        EXPECT_FALSE(std::get<CommandError>(parsed).message.empty());
    }
    const ParsedCommand blank = ParseControlCommand("   ");
    ASSERT_TRUE(std::holds_alternative<CommandError>(blank));
    EXPECT_TRUE(std::get<CommandError>(blank).text.empty());
}

TEST(SimOptions, ReadsTheCommandLine) {
    const auto defaults = std::get<SimOptions>(ParseSimOptions({}));
    EXPECT_EQ(defaults.model.address, 1);
    EXPECT_TRUE(defaults.model.bus);
    EXPECT_EQ(defaults.model.mode, ReadingMode::Counter);
    EXPECT_EQ(defaults.model.step, 100);
    EXPECT_EQ(defaults.model.presentBits, 0x20);
    EXPECT_FALSE(defaults.model.al1.on);
    EXPECT_EQ(defaults.baud, 0);
    EXPECT_EQ(defaults.replyDelayMs, 0);

    const auto full = std::get<SimOptions>(
        ParseSimOptions({"--address", "65",     "--mode=ramp", "--step",    "2.5",
                         "--max",     "50",     "--al1",       "120",       "--al2=7.25",
                         "--present", "0x60",   "--baud",      "1200",      "--reply-delay-ms",
                         "30",        "--link", "/tmp/l",      "--control", "/tmp/c",
                         "--record",  "/tmp/r"}));
    EXPECT_EQ(full.model.address, 65);
    EXPECT_EQ(full.model.mode, ReadingMode::Ramp);
    EXPECT_EQ(full.model.step, 250);
    EXPECT_EQ(full.model.rampTop, 5000);
    EXPECT_TRUE(full.model.al1.on);
    EXPECT_EQ(full.model.al1.setPoint, 12000);
    EXPECT_EQ(full.model.al2.setPoint, 725);
    EXPECT_EQ(full.model.presentBits, 0x60);
    EXPECT_EQ(full.baud, 1200);
    EXPECT_EQ(full.replyDelayMs, 30);
    EXPECT_EQ(full.linkPath, "/tmp/l");
    EXPECT_EQ(full.controlPath, "/tmp/c");
    EXPECT_EQ(full.recordPath, "/tmp/r");

    EXPECT_FALSE(std::get<SimOptions>(ParseSimOptions({"--single"})).model.bus);
    EXPECT_TRUE(std::get<SimOptions>(ParseSimOptions({"--help"})).help);
}

TEST(SimOptions, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"--address", "251"},
        {"--address"},
        {"--single", "--address", "3"},
        {"--mode", "sine"},
        {"--step", "-1"},
        {"--present", "0x10"},
        {"--baud", "0"},
        {"--reply-delay-ms", "x"},
        {"--link="},
        {"--bogus"},
        {"stray"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.front());
        const auto parsed = ParseSimOptions(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
        EXPECT_FALSE(std::get<std::string>(parsed).empty());
    }
}

}  // namespace
}  // namespace vexilor
