// The acquisition worker against the simulator on a real pty: what goes on
// the line, what the window is handed, the error texts and stopping.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "acquisition_worker.h"
#include "recording_sink.h"
#include "sim_process.h"

namespace vexilor::test {
namespace {

using namespace std::chrono_literals;

class WorkerTest : public testing::Test {
  protected:
    void openLink(const std::string& name) {
        OpenInstrumentLink(link, name, 9600, linkError);
        link.protocol.setAddressing(1, 1);
    }
    void startWorker(const std::string& portText) {
        worker = std::make_unique<AcquisitionWorker>(
            link, linkError, logging, pacing, std::make_unique<RecordingSink>(log), portText);
    }
    void TearDown() override { worker.reset(); }

    // The error text of every drawing after the first `skip`.
    std::vector<std::string> drawnErrors(std::size_t skip = 0) const {
        std::vector<std::string> errors;
        const auto draws = log->ofKind(SinkEvent::Draw);
        for (std::size_t i = skip; i < draws.size(); ++i) {
            errors.push_back(draws[i].first);
        }
        return errors;
    }

    InstrumentLink link;
    LinkError linkError;
    LoggingState logging;
    PacingState pacing;
    std::shared_ptr<SinkLog> log = std::make_shared<SinkLog>();
    std::unique_ptr<AcquisitionWorker> worker;
};

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Received bytes of the record with their times.
std::vector<RecordEntry> Received(const Record& record) {
    std::vector<RecordEntry> rx;
    for (const RecordEntry& e : record) {
        if (e.direction == RecordDirection::Rx) {
            rx.push_back(e);
        }
    }
    return rx;
}

TEST_F(WorkerTest, ACycleIsFourQueriesAndTwoPollsWithTheirPauses) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("reading 123.45"));
    logging.logInterval = 1;
    openLink(sim.linkPath());
    ASSERT_EQ(linkError.text(), "");
    startWorker(sim.linkPath());
    ASSERT_TRUE(log->waitFor(SinkEvent::Log, 1, 5s));
    worker->stop();

    Record record;
    ASSERT_TRUE(
        sim.waitForRecord([](const Record& r) { return Received(r).size() >= 10; }, 5s, &record));
    const auto rx = Received(record);
    const std::vector<std::uint8_t> expected = {0xFB, 0x01, 0xFB, 0x01, 0xFB,
                                                0x01, 0xFB, 0x01, 0x01, 0x01};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rx[i].byte, expected[i]) << "byte " << i;
    }
    // The pauses between the bytes: 10 ms before an address, 10 + 10 ms
    // before the next command, 10 + 10 before the first poll, 100 + 10
    // before the second. The simulator stamps a byte when it gets to read
    // it, which a busy machine delays, so each gap is checked for at least
    // half its pauses (a missing pause shows as none) and the whole cycle
    // for all of them but a few milliseconds.
    const std::int64_t pauseUs[] = {10000, 20000, 10000, 20000, 10000, 20000, 10000, 20000, 110000};
    std::int64_t allPausesUs = 0;
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        EXPECT_GE(rx[i + 1].microseconds - rx[i].microseconds, pauseUs[i] / 2)
            << "gap after byte " << i;
        allPausesUs += pauseUs[i];
    }
    EXPECT_GE(rx[expected.size() - 1].microseconds - rx[0].microseconds, allPausesUs - 5000);

    const auto maxMin = log->ofKind(SinkEvent::MaxMin);
    ASSERT_FALSE(maxMin.empty());
    EXPECT_EQ(maxMin[0].first, "Max = 000123.45");
    EXPECT_EQ(maxMin[0].second, "Min = 000000.00");  // the smallest since reset
    const auto draws = log->ofKind(SinkEvent::Draw);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws[0].first, "");
    EXPECT_EQ(ReadingText(draws[0].reply), "000123.45");
    const std::string line = log->ofKind(SinkEvent::Log)[0].first;
    EXPECT_EQ(line.substr(line.find('\n')), "\n000123.45\n\n");
    EXPECT_EQ(linkError.text(), "");
}

TEST_F(WorkerTest, CyclesFollowTheSecondsOfTheClock) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    logging.logInterval = 1;
    openLink(sim.linkPath());
    startWorker(sim.linkPath());
    ASSERT_TRUE(log->waitFor(SinkEvent::Log, 5, 10s));
    worker->stop();
    // One cycle a second: after the first (which may start anywhere in a
    // second and end in the next), each row is stamped one second on.
    const auto logs = log->ofKind(SinkEvent::Log);
    for (std::size_t i = 2; i < logs.size(); ++i) {
        const std::string previous = logs[i - 1].first.substr(0, 19);
        const std::string current = logs[i].first.substr(0, 19);
        EXPECT_LT(previous, current) << "row " << i;
        const int seconds = std::stoi(current.substr(17, 2));
        const int before = std::stoi(previous.substr(17, 2));
        EXPECT_EQ((seconds - before + 60) % 60, 1) << previous << " -> " << current;
    }
}

TEST_F(WorkerTest, EachFaultShowsItsTextAndTheNextGoodReplyShowsNormally) {
    const struct {
        const char* fault;
        const char* text;
        const char* maxLabel;
    } cases[] = {
        {"fault checksum", "Incorrect CheckSum on response", "Max = 000123.45"},
        {"fault absent", "No vexilor connected", "Max = ---"},
        // The checksum is missing: the last digit byte stands in for it.
        {"fault short 5", "Incorrect CheckSum on response", "Max = 000123.45"},
    };
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("reading 123.45"));
    logging.logInterval = 1;
    openLink(sim.linkPath());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        log = std::make_shared<SinkLog>();
        ASSERT_TRUE(sim.command(c.fault));
        startWorker(sim.linkPath());
        ASSERT_TRUE(log->waitFor(SinkEvent::Log, 1, 10s));
        ASSERT_TRUE(sim.command("fault none"));
        ASSERT_TRUE(log->waitFor(SinkEvent::Log, 3, 10s));
        worker->stop();

        // The first cycle may have begun before the fault was switched on.
        const auto draws = drawnErrors();
        const auto logs = log->ofKind(SinkEvent::Log);
        const auto maxMin = log->ofKind(SinkEvent::MaxMin);
        const std::size_t faulty = draws[0].empty() ? 1 : 0;
        EXPECT_EQ(draws[faulty], c.text);
        EXPECT_EQ(logs[faulty].first.substr(logs[faulty].first.find('\n') + 1), c.text);
        EXPECT_EQ(maxMin[faulty].first, c.maxLabel);
        EXPECT_EQ(draws.back(), "");  // recovered
        EXPECT_EQ(linkError.text(), "");
    }
}

TEST_F(WorkerTest, APortThatIsNotOpenIsReportedEveryCycleAndSendsNothing) {
    openLink("/dev/vexilor-test-missing");
    ASSERT_EQ(linkError.text(), "Can't open /dev/vexilor-test-missing");
    logging.logInterval = 1;
    startWorker("/dev/vexilor-test-missing");
    ASSERT_TRUE(log->waitFor(SinkEvent::Log, 2, 5s));
    worker->stop();
    for (const std::string& error : drawnErrors()) {
        EXPECT_EQ(error, "Can't open /dev/vexilor-test-missing");
    }
    const std::string line = log->ofKind(SinkEvent::Log)[0].first;
    EXPECT_EQ(line.substr(line.find('\n')), "\nCan't open /dev/vexilor-test-missing");
    EXPECT_TRUE(log->ofKind(SinkEvent::MaxMin).empty());
    EXPECT_EQ(linkError.text(), "Can't open /dev/vexilor-test-missing");
}

TEST_F(WorkerTest, StoppingAtAnyMomentEndsAtOnceAndHandsOverNothingMore) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    openLink(sim.linkPath());
    logging.logInterval = 1;
    std::mt19937 random(20161205);
    std::uniform_int_distribution<int> delayMs(0, 600);
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        startWorker(sim.linkPath());
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        worker->stop();
        const std::size_t handed = log->size();
        EXPECT_FALSE(link.protocol.stopRequested());  // the main thread may use the line again
        // Hold goes through in full after the stop.
        link.protocol.SendCommand(InstrumentCommand::Hold);
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(log->size(), handed);
        worker.reset();
    }
    EXPECT_TRUE(link.port.isOpen());
}

TEST_F(WorkerTest, AVanishedDeviceIsReportedAndWonBackWhenItReturns) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    logging.logInterval = 1;
    openLink(sim.linkPath());
    startWorker(sim.linkPath());
    ASSERT_TRUE(log->waitFor(SinkEvent::Draw, 1, 5s));

    ASSERT_TRUE(sim.command("vanish"));
    const std::string cantOpen = "Can't open " + sim.linkPath();
    ASSERT_TRUE(WaitUntil([&] {
        const auto errors = drawnErrors();
        return errors.size() >= 2 && errors.back() == cantOpen &&
               errors[errors.size() - 2] == cantOpen;
    }));
    EXPECT_FALSE(link.port.isOpen());

    ASSERT_TRUE(sim.command("return"));
    const std::size_t before = log->ofKind(SinkEvent::Draw).size();
    // Back within two cycles of its return, with no action from anyone.
    ASSERT_TRUE(log->waitFor(SinkEvent::Draw, before + 2, 5s));
    const auto afterReturn = drawnErrors(before);
    EXPECT_TRUE(afterReturn[0].empty() || afterReturn[1].empty())
        << afterReturn[0] << " / " << afterReturn[1];
    EXPECT_TRUE(link.port.isOpen());
    worker->stop();
    EXPECT_EQ(drawnErrors().back(), "");
}

TEST_F(WorkerTest, NoiseOnTheLineNeverGivesAnUnknownText) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("fault noise"));
    openLink(sim.linkPath());
    startWorker(sim.linkPath());
    // A stray byte spoils about two cycles in three, so the wait is for a
    // clean one among the first few dozen, not among the first four.
    const auto clean = [this] {
        const auto errors = drawnErrors();
        return errors.size() >= 4 && std::find(errors.begin(), errors.end(), "") != errors.end();
    };
    EXPECT_TRUE(WaitUntil(clean, 40s));
    worker->stop();
    for (const std::string& error : drawnErrors()) {
        EXPECT_TRUE(error.empty() || error == IncorrectChecksumText || error == NoInstrumentText)
            << error;
    }
}

}  // namespace
}  // namespace vexilor::test
