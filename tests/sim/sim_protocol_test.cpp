// The program's own serial port and protocol against the simulator: the
// path every other test of the program takes to a "real" instrument.

#include <gtest/gtest.h>

#include "protocol.h"
#include "serial_port.h"
#include "sim_process.h"

namespace vexilor::test {
namespace {

TEST(SimWithProtocol, AnswersTheProgramsExchanges) {
    SimProcess sim({"--address", "7"});
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("reading 123456.78"));
    SerialPort port;
    ASSERT_TRUE(port.open(sim.linkPath(), 9600)) << port.lastErrorText();
    InstrumentProtocol protocol(port);
    protocol.setAddressing(2, 7);

    const InstrumentReply polled = protocol.PollTransaction();
    EXPECT_TRUE(ChecksumMatches(polled));
    EXPECT_TRUE(InstrumentPresent(polled));
    EXPECT_EQ(ReadingText(polled), "123456.78");
    // Largest since start, then smallest (the counter starts at 0).
    EXPECT_EQ(ReadingText(protocol.QueryTransaction()), "123456.78");
    EXPECT_EQ(ReadingText(protocol.QueryTransaction()), "000000.00");

    protocol.SendCommand(InstrumentCommand::Hold);
    EXPECT_NE(protocol.PollTransaction().statusByte() & StatusHold, 0);
    protocol.SendCommand(InstrumentCommand::Reset);
    const InstrumentReply afterReset = protocol.PollTransaction();
    EXPECT_EQ(afterReset.statusByte() & StatusHold, 0);
    EXPECT_EQ(ReadingText(afterReset), "000000.00");

    // Closing and opening again, as the program does on every change of
    // port settings, finds the instrument still there.
    port.close();
    ASSERT_TRUE(port.open(sim.linkPath(), 9600)) << port.lastErrorText();
    EXPECT_TRUE(ChecksumMatches(protocol.PollTransaction()));
}

TEST(SimWithProtocol, ReturnedAdapterOpensAgainByItsLink) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("reading 5"));
    SerialPort port;
    ASSERT_TRUE(port.open(sim.linkPath(), 9600)) << port.lastErrorText();
    InstrumentProtocol protocol(port);
    protocol.setAddressing(0, 1);
    EXPECT_EQ(ReadingText(protocol.PollTransaction()), "000005.00");

    ASSERT_TRUE(sim.command("vanish"));
    port.close();
    EXPECT_FALSE(port.open(sim.linkPath(), 9600));
    ASSERT_TRUE(sim.command("return"));
    ASSERT_TRUE(port.open(sim.linkPath(), 9600)) << port.lastErrorText();
    EXPECT_EQ(ReadingText(protocol.PollTransaction()), "000005.00");
}

}  // namespace
}  // namespace vexilor::test
