// The simulator's line and process behaviour: fault modes, an adapter that
// vanishes and returns, the record, paced replies, the control FIFO and
// leaving.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>

#include "sim_fixture.h"

namespace vexilor::test {
namespace {

using std::chrono::milliseconds;

// Reply of the reading 100.00 at address 1.
const Bytes GoodReply = {0x20, 0x00, 0x01, 0x00, 0x00, 0x21};

std::int64_t SteadyMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string LinkTarget(const std::string& path) {
    std::error_code error;
    return std::filesystem::read_symlink(path, error).string();
}

class SimLine : public SimFixture {};

TEST_F(SimLine, FaultModesSpoilTheReplyAsNamed) {
    struct Case {
        const char* fault;
        Bytes sent;
    };
    const std::vector<Case> cases = {
        {"silent", {}},
        {"checksum", {0x20, 0x00, 0x01, 0x00, 0x00, 0xDE}},
        {"short 2", {0x20, 0x00}},
        {"short 5", {0x20, 0x00, 0x01, 0x00, 0x00}},
        {"absent", {0x00, 0x00, 0x01, 0x00, 0x00, 0x01}},
        {"none", GoodReply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        start();
        run("reading 100");
        run(std::string("fault ") + c.fault);
        ASSERT_TRUE(client->send(Poll(1)));
        awaitReceived(1);
        // A good reply after the faulty one marks where the faulty one ends.
        run("fault none");
        const Bytes expected = Join({c.sent, GoodReply});
        EXPECT_EQ(client->exchange(Poll(1), expected.size()), expected);
        Record record;
        EXPECT_TRUE(sim->waitForRecord(
            [&](const Record& r) { return SentBytes(r).size() >= expected.size(); },
            std::chrono::seconds(5), &record));
        EXPECT_EQ(SentBytes(record), expected);
    }
}

TEST_F(SimLine, NoiseSendsStrayBytesBetweenCorrectReplies) {
    start();
    run("reading 100");
    run("fault noise");
    // Stray bytes come without any request.
    ASSERT_TRUE(sim->waitForRecord(
        [](const Record& r) { return SentBytes(r).size() >= 3 && ReceivedCount(r) == 0; }));

    ASSERT_TRUE(client->send(Poll(1)));
    Record record;
    ASSERT_TRUE(sim->waitForRecord(
        [](const Record& r) {
            const auto poll = std::find_if(r.begin(), r.end(), [](const RecordEntry& e) {
                return e.direction == RecordDirection::Rx;
            });
            return poll != r.end() && r.end() - poll > ReplyLength;
        },
        std::chrono::seconds(5), &record));
    // The reply follows its poll whole, with no stray byte inside it.
    const auto poll = std::find_if(record.begin(), record.end(), [](const RecordEntry& e) {
        return e.direction == RecordDirection::Rx;
    });
    Bytes reply;
    for (auto it = poll + 1; it != poll + 1 + ReplyLength; ++it) {
        EXPECT_EQ(it->direction, RecordDirection::Tx);
        reply.push_back(it->byte);
    }
    EXPECT_EQ(reply, GoodReply);
}

TEST_F(SimLine, VanishedTerminalReturnsBehindTheSameLink) {
    start();
    run("reading 100");
    EXPECT_EQ(client->exchange(Poll(1), ReplyLength), GoodReply);
    const std::string firstPath = sim->slavePath();
    EXPECT_EQ(LinkTarget(sim->linkPath()), firstPath);

    run("vanish");
    EXPECT_TRUE(client->waitForHangup());
    EXPECT_FALSE(PathExists(sim->linkPath()));
    EXPECT_FALSE(sim->command("vanish"));
    EXPECT_TRUE(sim->lastAnswer().starts_with("error vanish: ")) << sim->lastAnswer();

    // The old client still holds its terminal open, so the new one differs.
    run("return");
    EXPECT_NE(sim->slavePath(), firstPath);
    EXPECT_EQ(LinkTarget(sim->linkPath()), sim->slavePath());
    SlaveTerminal replugged(sim->linkPath());
    ASSERT_TRUE(replugged.isOpen());
    EXPECT_EQ(replugged.exchange(Poll(1), ReplyLength), GoodReply);
    EXPECT_FALSE(sim->command("return"));
}

TEST_F(SimLine, RecordHoldsEveryByteWithMonotonicTimes) {
    start();
    run("reading 100");
    const std::int64_t before = SteadyMicros();
    const Bytes reply = client->exchange(Join({Query(1), Poll(1)}), 2 * ReplyLength);
    const std::int64_t after = SteadyMicros();
    ASSERT_EQ(reply.size(), 2u * ReplyLength);

    Record record;
    ASSERT_TRUE(sim->waitForRecord([](const Record& r) { return r.size() >= 3 + 2 * ReplyLength; },
                                   std::chrono::seconds(5), &record));
    ASSERT_EQ(record.size(), 3u + 2 * ReplyLength);
    Bytes received;
    for (const RecordEntry& entry : record) {
        if (entry.direction == RecordDirection::Rx) {
            received.push_back(entry.byte);
        }
        EXPECT_GE(entry.microseconds, before);
        EXPECT_LE(entry.microseconds, after);
    }
    EXPECT_EQ(received, Join({Query(1), Poll(1)}));
    EXPECT_EQ(SentBytes(record), reply);
    EXPECT_TRUE(std::is_sorted(record.begin(), record.end(),
                               [](const RecordEntry& a, const RecordEntry& b) {
                                   return a.microseconds < b.microseconds;
                               }));
    // A reply goes out after the byte that asked for it.
    EXPECT_EQ(record[2].direction, RecordDirection::Tx);
    EXPECT_GE(record[2].microseconds, record[1].microseconds);
}

TEST_F(SimLine, PacingSpacesReplyBytesAndDelaysTheFirst) {
    struct Case {
        std::vector<std::string> args;
        std::int64_t minFirstByteMicros;
        std::int64_t minGapMicros;
    };
    // 1200 baud: ten bit times, 8333 us a byte. Sleeps never end early, so
    // these are lower bounds that a slow machine only exceeds.
    const std::vector<Case> cases = {
        {{"--baud", "1200"}, 0, 8300},
        {{"--reply-delay-ms", "40"}, 40000, 0},
        {{"--baud", "9600", "--reply-delay-ms", "20"}, 20000, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        start(c.args);
        run("reading 100");
        EXPECT_EQ(client->exchange(Poll(1), ReplyLength), GoodReply);
        Record record;
        ASSERT_TRUE(sim->waitForRecord([](const Record& r) { return r.size() >= 1 + ReplyLength; },
                                       std::chrono::seconds(5), &record));
        ASSERT_EQ(record.size(), 1u + ReplyLength);
        EXPECT_GE(record[1].microseconds - record[0].microseconds, c.minFirstByteMicros);
        for (std::size_t i = 2; i < record.size(); ++i) {
            EXPECT_GE(record[i].microseconds - record[i - 1].microseconds, c.minGapMicros)
                << "byte " << i;
        }
    }
}

TEST_F(SimLine, ControlFifoTakesCommandsLikeStdin) {
    const TempDir dir;
    const std::string fifo = dir.file("control");
    start({"--control", fifo});
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // Two writers in turn, as two shell commands would be.
    for (const std::string line : {"reading 100\n", "address 9\n"}) {
        const UniqueFd writer(::open(fifo.c_str(), O_WRONLY | O_CLOEXEC));
        ASSERT_TRUE(writer.valid());
        ASSERT_EQ(::write(writer.get(), line.data(), line.size()),
                  static_cast<ssize_t>(line.size()));
    }
    EXPECT_EQ(sim->readLine(std::chrono::seconds(5)), "ok reading 100");
    EXPECT_EQ(sim->readLine(std::chrono::seconds(5)), "ok address 9");
    EXPECT_EQ(client->exchange(Poll(9), ReplyLength), GoodReply);

    EXPECT_EQ(sim->closeStdinAndWait(std::chrono::seconds(5)), 0);
    EXPECT_FALSE(PathExists(fifo));
}

TEST_F(SimLine, CommandErrorsAreAnsweredAndChangeNothing) {
    start();
    run("reading 100");
    for (const char* line : {"fault loud", "address 300", "reading -1", "dance"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(sim->command(line));
        EXPECT_TRUE(sim->lastAnswer().starts_with(std::string("error ") + line + ": "))
            << sim->lastAnswer();
    }
    EXPECT_EQ(client->exchange(Poll(1), ReplyLength), GoodReply);
}

TEST_F(SimLine, LeavesCleanlyAndTakesTheLinkAway) {
    struct Case {
        const char* how;
        int signal;  // 0: close stdin; -1: the quit command
    };
    for (const Case& c : {Case{"stdin closed", 0}, Case{"quit", -1}, Case{"SIGTERM", SIGTERM},
                          Case{"SIGINT", SIGINT}}) {
        SCOPED_TRACE(c.how);
        start();
        ASSERT_TRUE(PathExists(sim->linkPath()));
        std::optional<int> status;
        if (c.signal > 0) {
            status = sim->signalAndWait(c.signal, std::chrono::seconds(5));
        } else {
            if (c.signal < 0) {
                run("quit");
            }
            status = sim->closeStdinAndWait(std::chrono::seconds(5));
        }
        EXPECT_EQ(status, 0);
        EXPECT_FALSE(PathExists(sim->linkPath()));
    }
}

TEST(SimProgram, RefusesBadOptions) {
    SimProcess sim({"--single", "--address", "3"});
    EXPECT_FALSE(sim.started());
    EXPECT_EQ(sim.closeStdinAndWait(std::chrono::seconds(5)), 2);
}

}  // namespace
}  // namespace vexilor::test
