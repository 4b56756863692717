// The simulator as the program sees it: polls, queries, Hold, Reset and
// downloads over its terminal.

#include "sim_fixture.h"

namespace vexilor::test {
namespace {

class SimExchange : public SimFixture {};

TEST_F(SimExchange, PollAtItsAddressGetsTheLiveReading) {
    start({"--address", "7"});
    struct Case {
        const char* reading;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {"123456.78", {0x21, 0x02, 0x34, 0x56, 0x78, 0x39}},
        {"150", {0x20, 0x00, 0x01, 0x50, 0x00, 0x71}},
        {"999999.99", {0x20, 0x99, 0x99, 0x99, 0x99, 0x20}},
        {"0.05", {0x20, 0x00, 0x00, 0x00, 0x05, 0x25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reading);
        run(std::string("reading ") + c.reading);
        EXPECT_EQ(client->exchange(Poll(7), ReplyLength), c.expected);
    }
    const InstrumentReply reply = ask(Poll(7));
    EXPECT_TRUE(ChecksumMatches(reply));
    EXPECT_TRUE(InstrumentPresent(reply));
    EXPECT_EQ(ReadingText(reply), "000000.05");
}

TEST_F(SimExchange, PresenceBitsFollowTheOption) {
    start({"--present", "0x60"});
    run("reading 1");
    EXPECT_EQ(ask(Poll(1)).statusByte(), 0x60);
}

TEST_F(SimExchange, FramesForAnotherAddressGetNothingAndChangeNothing) {
    start();
    run("reading 100");
    const Bytes others = Join({Poll(3), Query(3), Hold(3), Reset(3), Download(3, 9), Poll(9)});
    const Bytes ours = {0x20, 0x00, 0x01, 0x00, 0x00, 0x21};
    EXPECT_EQ(client->exchange(Join({others, Poll(1)}), ReplyLength), ours);
    // The frames are handled in order, so anything sent for the others
    // would stand before our reply in the record.
    Record record;
    EXPECT_TRUE(
        sim->waitForRecord([](const Record& r) { return SentBytes(r).size() >= ReplyLength; },
                           std::chrono::seconds(5), &record));
    EXPECT_EQ(SentBytes(record), ours);
}

TEST_F(SimExchange, HoldFreezesTheShownReadingUntilTheNextHold) {
    start();
    run("reading 100");
    EXPECT_EQ(ask(Poll(1)).statusByte() & StatusHold, 0);

    ASSERT_TRUE(client->send(Hold(1)));
    const InstrumentReply held = ask(Poll(1));
    EXPECT_NE(held.statusByte() & StatusHold, 0);
    EXPECT_EQ(ReadingText(held), "000100.00");

    run("reading 500");
    const InstrumentReply stillHeld = ask(Poll(1));
    EXPECT_NE(stillHeld.statusByte() & StatusHold, 0);
    EXPECT_EQ(ReadingText(stillHeld), "000100.00");

    ASSERT_TRUE(client->send(Hold(1)));
    const InstrumentReply released = ask(Poll(1));
    EXPECT_EQ(released.statusByte() & StatusHold, 0);
    EXPECT_EQ(ReadingText(released), "000500.00");
}

TEST_F(SimExchange, QueriesAlternateLargestAndSmallestSincePoll) {
    start();
    // The counter starts at 0, so 0 is the smallest reading seen.
    run("reading 300");
    run("reading 200");
    struct Step {
        Bytes request;
        const char* expected;
    };
    const std::vector<Step> steps = {
        {Poll(1), "000200.00"},  {Query(1), "000300.00"}, {Query(1), "000000.00"},
        {Query(1), "000300.00"}, {Poll(1), "000200.00"},  {Query(1), "000300.00"},
        {Query(1), "000000.00"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        const InstrumentReply reply = ask(steps[i].request);
        EXPECT_TRUE(ChecksumMatches(reply));
        EXPECT_EQ(ReadingText(reply), steps[i].expected);
    }
}

TEST_F(SimExchange, ResetClearsReadingExtremesAndHold) {
    start();
    run("reading 250");
    ASSERT_TRUE(client->send(Hold(1)));
    ASSERT_NE(ask(Poll(1)).statusByte() & StatusHold, 0);

    ASSERT_TRUE(client->send(Reset(1)));
    const InstrumentReply afterReset = ask(Poll(1));
    EXPECT_EQ(afterReset.statusByte() & StatusHold, 0);
    EXPECT_EQ(ReadingText(afterReset), "000000.00");
    EXPECT_EQ(ReadingText(ask(Query(1))), "000000.00");
    EXPECT_EQ(ReadingText(ask(Query(1))), "000000.00");
}

TEST_F(SimExchange, AlarmsTripAtAndAboveTheirSetPoints) {
    start({"--al1", "120", "--al2", "200"});
    struct Case {
        const char* reading;
        std::uint8_t alarms;
    };
    const std::vector<Case> cases = {
        {"119.99", 0}, {"120", StatusAl1}, {"199.99", StatusAl1}, {"200", StatusAl1 | StatusAl2},
        {"0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reading);
        run(std::string("reading ") + c.reading);
        EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), c.alarms);
    }
}

TEST_F(SimExchange, DownloadSetsTheAlarms) {
    start();
    run("reading 150");
    EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), 0);

    // Both alarms on at 100.00.
    ASSERT_TRUE(client->send(ExampleDownload));
    EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), StatusAl1 | StatusAl2);
    run("reading 50");
    EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), 0);

    // AL1 switched off by its flag byte.
    ASSERT_TRUE(client->send(Download(1, 1, 0xE0)));
    run("reading 150");
    EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), StatusAl2);
}

// The live reading is 50.00 and the largest seen 150.00. A poll and a query
// at the address expected give those two in turn; an answer from the other
// address would come first and break the pair.
bool AnswersOnlyAt(SlaveTerminal& client, std::uint8_t expected, std::uint8_t other) {
    const Bytes bytes =
        client.exchange(Join({Poll(other), Poll(expected), Query(expected)}), 2 * ReplyLength);
    if (bytes.size() != 2 * ReplyLength) {
        return false;
    }
    const Bytes second(bytes.begin() + ReplyLength, bytes.end());
    return ReadingText(AsReply(bytes)) == "000050.00" &&
           ReadingText(AsReply(second)) == "000150.00";
}

TEST_F(SimExchange, DownloadMovesABusModelToItsNewAddress) {
    start();
    run("reading 150");
    run("reading 50");
    ASSERT_TRUE(client->send(Download(1, 5, 0x10, true)));
    EXPECT_TRUE(AnswersOnlyAt(*client, 1, 5)) << "a frame with a bad checksum was applied";

    ASSERT_TRUE(client->send(Download(1, 5)));
    EXPECT_TRUE(AnswersOnlyAt(*client, 5, 1));
}

TEST_F(SimExchange, SingleAddressModelKeepsAddressOne) {
    start({"--single"});
    run("reading 150");
    ASSERT_TRUE(client->send(Download(1, 5)));
    // The alarms of the frame are applied, the address is not.
    EXPECT_EQ(ask(Poll(1)).statusByte() & (StatusAl1 | StatusAl2), StatusAl1 | StatusAl2);
    EXPECT_FALSE(sim->command("address 5"));
    EXPECT_TRUE(sim->lastAnswer().starts_with("error address 5: ")) << sim->lastAnswer();
}

TEST_F(SimExchange, AddressCommandMovesTheInstrument) {
    start();
    run("reading 150");
    run("reading 50");
    run("address 65");
    EXPECT_TRUE(AnswersOnlyAt(*client, 65, 1));
}

}  // namespace
}  // namespace vexilor::test
