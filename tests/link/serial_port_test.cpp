#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "pty_pair.h"
#include "serial_port.h"
#include "stop_signal.h"

namespace vexilor {
namespace {

using test::Bytes;
using test::PtyPair;
using test::WaitUntil;
using namespace std::chrono_literals;

class SerialPortTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty_.ok()) << pty_.errorText(); }

    // Reads exactly count bytes from the port once they have all arrived.
    Bytes readFromPort(std::int32_t count) {
        EXPECT_TRUE(WaitUntil([&] { return port_.bytesWaiting() >= count; }));
        Bytes got(static_cast<std::size_t>(count));
        got.resize(static_cast<std::size_t>(port_.read(got.data(), count)));
        return got;
    }

    PtyPair pty_;
    SerialPort port_;
};

struct RateCase {
    std::int32_t baud;
    speed_t speed;
};

void PrintTo(const RateCase& rate, std::ostream* out) {
    *out << rate.baud;
}

class SerialPortRateTest : public SerialPortTest, public testing::WithParamInterface<RateCase> {};

TEST_P(SerialPortRateTest, OpenSetsLineSettings) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), GetParam().baud)) << port_.lastErrorText();
    EXPECT_TRUE(port_.isOpen());
    const termios line = pty_.slaveSettings();

    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS | HUPCL), 0u);
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);
    EXPECT_EQ(cfgetospeed(&line), GetParam().speed);
    EXPECT_EQ(cfgetispeed(&line), GetParam().speed);
}

TEST_P(SerialPortRateTest, CloseRestoresSettingsFoundAtOpen) {
    const termios before = pty_.slaveSettings();
    ASSERT_TRUE(port_.open(pty_.slavePath(), GetParam().baud)) << port_.lastErrorText();
    ASSERT_NE(pty_.slaveSettings().c_lflag, before.c_lflag);
    port_.close();
    EXPECT_FALSE(port_.isOpen());

    const termios after = pty_.slaveSettings();
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
    EXPECT_EQ(after.c_cc[VTIME], before.c_cc[VTIME]);
    EXPECT_EQ(cfgetospeed(&after), B1200);
}

INSTANTIATE_TEST_SUITE_P(SixRates, SerialPortRateTest,
                         testing::Values(RateCase{300, B300}, RateCase{600, B600},
                                         RateCase{1200, B1200}, RateCase{2400, B2400},
                                         RateCase{4800, B4800}, RateCase{9600, B9600}),
                         [](const testing::TestParamInfo<RateCase>& rate) {
                             return std::to_string(rate.param.baud);
                         });

TEST_F(SerialPortTest, OtherRatesFailWithoutTouchingDevice) {
    const termios before = pty_.slaveSettings();
    for (const std::int32_t baud : {0, -9600, 110, 1800, 19200, 38400, 115200}) {
        SCOPED_TRACE(baud);
        EXPECT_FALSE(port_.open(pty_.slavePath(), baud));
        EXPECT_FALSE(port_.isOpen());
        EXPECT_FALSE(port_.lastErrorText().empty());
        EXPECT_EQ(pty_.slaveSettings().c_lflag, before.c_lflag);
    }
    // Nothing was left locked either.
    EXPECT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
}

TEST_F(SerialPortTest, ControlBytesPassUnchangedBothWays) {
    const Bytes special{0x11, 0x13, 0x0D, 0x0A, 0x03, 0x04, 0x1A, 0x7F, 0x00, 0xFF, 0x91};
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();

    ASSERT_TRUE(pty_.writeToMaster(special));
    EXPECT_EQ(readFromPort(static_cast<std::int32_t>(special.size())), special);

    EXPECT_EQ(port_.write(special.data(), static_cast<std::int32_t>(special.size())),
              static_cast<std::int32_t>(special.size()));
    // A translated byte (CR added before LF, say) would shift what follows.
    EXPECT_EQ(pty_.readFromMaster(special.size(), 1s), special);
}

TEST_F(SerialPortTest, SecondOpenOfSameDeviceFailsUntilFirstCloses) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    SerialPort second;
    EXPECT_FALSE(second.open(pty_.slavePath(), 9600));
    EXPECT_FALSE(second.isOpen());
    EXPECT_FALSE(second.lastErrorText().empty());

    // The failed attempt left the first port working.
    const Bytes probe{0x5A};
    EXPECT_EQ(port_.write(probe.data(), 1), 1);
    EXPECT_EQ(pty_.readFromMaster(1, 1s), probe);

    port_.close();
    EXPECT_TRUE(second.open(pty_.slavePath(), 9600)) << second.lastErrorText();
}

TEST_F(SerialPortTest, OpeningAnotherDeviceReleasesTheFirst) {
    PtyPair other;
    ASSERT_TRUE(other.ok()) << other.errorText();
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    ASSERT_TRUE(port_.open(other.slavePath(), 4800)) << port_.lastErrorText();

    SerialPort second;
    EXPECT_TRUE(second.open(pty_.slavePath(), 9600)) << second.lastErrorText();
    const termios line = pty_.slaveSettings();
    EXPECT_EQ(cfgetospeed(&line), B9600);
}

TEST_F(SerialPortTest, MissingDeviceFailsToOpen) {
    EXPECT_FALSE(port_.open("/dev/nonexistent", 9600));
    EXPECT_FALSE(port_.isOpen());
    EXPECT_FALSE(port_.lastErrorText().empty());
}

TEST_F(SerialPortTest, ClosedPortTransfersNothing) {
    StopSignal stop;
    std::uint8_t buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(port_.bytesWaiting(), 0);
    EXPECT_EQ(port_.read(buffer, 4), 0);
    EXPECT_EQ(port_.write(buffer, 4), 0);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(port_.waitForInput(5ms, &stop), InputWait::TimedOut);
    stop.request();
    EXPECT_EQ(port_.waitForInput(std::chrono::minutes(1), &stop), InputWait::Stopped);
}

TEST_F(SerialPortTest, WaitForInputReportsWhatEndedIt) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    StopSignal stop;
    EXPECT_EQ(port_.waitForInput(5ms, &stop), InputWait::TimedOut);

    ASSERT_TRUE(pty_.writeToMaster({0x42}));
    EXPECT_EQ(port_.waitForInput(std::chrono::seconds(5), &stop), InputWait::Ready);
    EXPECT_EQ(port_.bytesWaiting(), 1);

    // A stop wins over waiting input.
    stop.request();
    EXPECT_EQ(port_.waitForInput(std::chrono::minutes(1), &stop), InputWait::Stopped);
}

TEST_F(SerialPortTest, StopWakesWaitInProgress) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    StopSignal stop;
    auto wait = std::async(std::launch::async,
                           [&] { return port_.waitForInput(std::chrono::minutes(1), &stop); });
    // Gives the wait time to start blocking; it ends as Stopped either way.
    std::this_thread::sleep_for(20ms);
    stop.request();
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(wait.get(), InputWait::Stopped);
}

TEST_F(SerialPortTest, HangUpMarksDeviceGoneUntilClose) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    EXPECT_FALSE(port_.deviceGone());
    pty_.closeMaster();

    StopSignal stop;
    EXPECT_EQ(port_.waitForInput(std::chrono::minutes(1), &stop), InputWait::Gone);
    EXPECT_TRUE(port_.deviceGone());
    EXPECT_TRUE(port_.isOpen());
    EXPECT_EQ(port_.waitForInput(std::chrono::minutes(1), &stop), InputWait::Gone);

    port_.close();
    EXPECT_FALSE(port_.deviceGone());
    EXPECT_FALSE(port_.isOpen());
}

}  // namespace
}  // namespace vexilor
