// The serial port on real comm devices. The test run maps two ports:
// COM1 to a far end that answers a poll at address 1 with a six-byte reply,
// and COM3 to a line where nothing ever answers. No other COM port exists.

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "clock.h"
#include "com_device.h"
#include "instrument_reply.h"
#include "link.h"
#include "protocol.h"
#include "serial_port.h"
#include "stop_signal.h"

namespace vexilor {
namespace {

using namespace std::chrono_literals;

constexpr const char* AnsweringPort = "COM1";
constexpr const char* SilentPort = "COM3";
constexpr std::uint8_t InstrumentAddress = 1;

// A state unlike the instrument's line in every field the port sets, so
// that reading the device back shows what the port did.
void PresetForeignState(DCB& state) {
    state.BaudRate = 19200;
    state.ByteSize = 7;
    state.Parity = EVENPARITY;
    state.StopBits = TWOSTOPBITS;
    state.fParity = FALSE;
    state.fOutxCtsFlow = TRUE;
    state.fRtsControl = RTS_CONTROL_HANDSHAKE;
    state.XonChar = 0x05;
    state.XoffChar = 0x06;
}

// Waits until count bytes are queued or 10 s have passed; the bytes queued.
std::int32_t WaitForQueued(SerialPort& port, std::int32_t count) {
    const auto deadline = MonotonicClock::now() + 10s;
    while (port.bytesWaiting() < count && MonotonicClock::now() < deadline) {
        if (port.bytesWaiting() == 0) {
            port.waitForInput(
                std::chrono::ceil<std::chrono::microseconds>(deadline - MonotonicClock::now()),
                nullptr);
        } else {
            Pause(1);
        }
    }
    return port.bytesWaiting();
}

class ComPortTest : public testing::Test {
  protected:
    static DCB PresetDevice(const char* name) {
        EXPECT_TRUE(test::EditDeviceState(name, PresetForeignState)) << name;
        const std::optional<DCB> preset = test::DeviceState(name);
        EXPECT_TRUE(preset.has_value()) << name;
        const DCB state = preset.value_or(DCB{});
        // Not the data bits and parity: a Linux pty keeps 8 bits without
        // parity whatever it is asked, so under wine these stay as they are.
        EXPECT_EQ(state.BaudRate, 19200u);
        EXPECT_EQ(state.StopBits, TWOSTOPBITS);
        EXPECT_EQ(state.fOutxCtsFlow, 1u);
        EXPECT_EQ(state.XonChar, 0x05);
        EXPECT_EQ(state.XoffChar, 0x06);
        return state;
    }

    SerialPort port;
};

class ComPortRateTest : public ComPortTest, public testing::WithParamInterface<std::int32_t> {};

// The driver keeps the line state after close, so a second handle opened
// afterwards reads back what the port applied.
TEST_P(ComPortRateTest, OpenAppliesInstrumentLine) {
    const std::int32_t baud = GetParam();
    const DCB preset = PresetDevice(SilentPort);

    ASSERT_TRUE(port.open(SilentPort, baud)) << port.lastErrorText();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.lastErrorText(), "");
    port.close();
    EXPECT_FALSE(port.isOpen());

    const std::optional<DCB> line = test::DeviceState(SilentPort);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->BaudRate, static_cast<DWORD>(baud));
    EXPECT_EQ(line->ByteSize, 8);
    EXPECT_EQ(line->Parity, NOPARITY);
    EXPECT_EQ(line->StopBits, ONESTOPBIT);
    EXPECT_EQ(line->fOutxCtsFlow, 0u);
    // Left as the driver had them.
    EXPECT_EQ(line->XonChar, preset.XonChar);
    EXPECT_EQ(line->XoffChar, preset.XoffChar);
    // wine derives both from the terminal settings of the Unix device: the
    // parity-checking flag reads as set only with a parity, and a pty has
    // no RTS line, so RTS always reads as enabled there.
    if (!test::RunningUnderWine()) {
        EXPECT_EQ(line->fParity, 1u);
        EXPECT_EQ(line->fRtsControl, static_cast<DWORD>(RTS_CONTROL_DISABLE));
    }
}

INSTANTIATE_TEST_SUITE_P(SixRates, ComPortRateTest,
                         testing::Values(300, 600, 1200, 2400, 4800, 9600));

TEST_F(ComPortTest, OtherRatesFailWithoutTouchingDevice) {
    PresetDevice(SilentPort);
    for (const std::int32_t baud : {0, -9600, 110, 1234, 19200, 115200}) {
        SCOPED_TRACE(baud);
        EXPECT_FALSE(port.open(SilentPort, baud));
        EXPECT_FALSE(port.isOpen());
        EXPECT_NE(port.lastErrorText(), "");
        const std::optional<DCB> state = test::DeviceState(SilentPort);
        ASSERT_TRUE(state.has_value());
        EXPECT_EQ(state->BaudRate, 19200u);
        EXPECT_EQ(state->StopBits, TWOSTOPBITS);
        EXPECT_EQ(state->fOutxCtsFlow, 1u);
    }
}

TEST_F(ComPortTest, MissingDevicesFailToOpen) {
    for (const char* name : {"COM200", "COM256", "", "NOSUCHPORT"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(port.open(name, 9600));
        EXPECT_FALSE(port.isOpen());
        EXPECT_NE(port.lastErrorText(), "");
    }
}

TEST_F(ComPortTest, SecondOpenFailsUntilFirstCloses) {
    if (test::RunningUnderWine()) {
        GTEST_SKIP() << "wine opens a serial device any number of times, share mode 0 or not";
    }
    ASSERT_TRUE(port.open(AnsweringPort, 9600)) << port.lastErrorText();
    SerialPort other;
    EXPECT_FALSE(other.open(AnsweringPort, 9600));
    EXPECT_FALSE(other.isOpen());

    port.close();
    EXPECT_TRUE(other.open(AnsweringPort, 9600)) << other.lastErrorText();
    // And the first port can have it back once the other lets go.
    other.close();
    EXPECT_TRUE(port.open(AnsweringPort, 9600)) << port.lastErrorText();
}

TEST_F(ComPortTest, WrittenPollBringsReplyIntoQueue) {
    ASSERT_TRUE(port.open(AnsweringPort, 9600)) << port.lastErrorText();
    DiscardInput(port);
    ASSERT_EQ(port.bytesWaiting(), 0);

    EXPECT_EQ(port.write(&InstrumentAddress, 1), 1);
    EXPECT_EQ(port.waitForInput(10s, nullptr), InputWait::Ready);
    ASSERT_EQ(WaitForQueued(port, ReplyLength), ReplyLength);

    InstrumentReply reply;
    EXPECT_EQ(port.read(reply.bytes.data(), ReplyLength), ReplyLength);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_TRUE(ChecksumMatches(reply));
    EXPECT_TRUE(InstrumentPresent(reply));
}

TEST_F(ComPortTest, ExchangesRunOverThePort) {
    ASSERT_TRUE(port.open(AnsweringPort, 9600)) << port.lastErrorText();
    InstrumentProtocol protocol(port);
    protocol.setAddressing(0, InstrumentAddress);
    DiscardInput(port);

    const InstrumentReply query = protocol.QueryTransaction();
    EXPECT_TRUE(ChecksumMatches(query));
    EXPECT_TRUE(InstrumentPresent(query));
    const InstrumentReply poll = protocol.PollTransaction();
    EXPECT_TRUE(ChecksumMatches(poll));
    EXPECT_TRUE(InstrumentPresent(poll));
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(ComPortTest, SilentLineGivesCopiesOfAddress) {
    ASSERT_TRUE(port.open(SilentPort, 9600)) << port.lastErrorText();
    InstrumentProtocol protocol(port);
    protocol.setAddressing(0, InstrumentAddress);

    InstrumentReply expected;
    expected.bytes.fill(InstrumentAddress);
    const InstrumentReply reply = protocol.PollTransaction();
    EXPECT_EQ(reply, expected);
    EXPECT_TRUE(ChecksumMatches(reply));
    EXPECT_FALSE(InstrumentPresent(reply));
}

TEST_F(ComPortTest, WaitForInputEndsByTimeOrStop) {
    ASSERT_TRUE(port.open(SilentPort, 9600)) << port.lastErrorText();
    StopSignal stop;

    const auto start = MonotonicClock::now();
    EXPECT_EQ(port.waitForInput(20ms, &stop), InputWait::TimedOut);
    EXPECT_GE(MonotonicClock::now() - start, 20ms);

    auto wait = std::async(std::launch::async, [&] { return port.waitForInput(60s, &stop); });
    stop.request();
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(wait.get(), InputWait::Stopped);
    EXPECT_FALSE(port.deviceGone());
}

TEST_F(ComPortTest, ClosedPortTransfersNothing) {
    std::uint8_t byte = 0x55;
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.read(&byte, 1), 0);
    EXPECT_EQ(port.write(&byte, 1), 0);
    EXPECT_EQ(byte, 0x55);
    EXPECT_EQ(port.waitForInput(5ms, nullptr), InputWait::TimedOut);

    StopSignal stop;
    stop.request();
    EXPECT_EQ(port.waitForInput(60s, &stop), InputWait::Stopped);
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ComPortTest, ProbeFindsExactlyTheMappedPorts) {
    EXPECT_EQ(ProbePorts(port), (std::vector<std::string>{AnsweringPort, SilentPort}));
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace vexilor
