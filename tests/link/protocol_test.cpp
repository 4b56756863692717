#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "clock.h"
#include "protocol.h"
#include "pty_pair.h"

namespace vexilor {
namespace {

using test::Bytes;
using test::PtyPair;
using test::WaitUntil;
using namespace std::chrono_literals;

constexpr std::uint8_t Sentinel = 0xA5;

// Plays the instrument on the pty master: records every byte the program
// sends and answers each address byte with the reply it was given (all of
// it, part of it or nothing).
class Responder {
  public:
    Responder(int master, std::uint8_t address, Bytes reply)
        : master_(master), address_(address), reply_(std::move(reply)) {
        thread_ = std::thread([this] { run(); });
    }
    ~Responder() {
        stop_.request();
        thread_.join();
    }
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    Bytes received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

    // Waits until the byte has come in; true when it did.
    bool waitFor(std::uint8_t byte, std::chrono::milliseconds timeout = 5s) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] {
            return std::find(received_.begin(), received_.end(), byte) != received_.end();
        });
    }

  private:
    void run() {
        for (;;) {
            pollfd fds[2] = {{master_, POLLIN, 0},
                             {static_cast<int>(stop_.nativeHandle()), POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                continue;
            }
            if (stop_.requested() || (fds[0].revents & POLLIN) == 0) {
                return;
            }
            std::uint8_t chunk[64];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n <= 0) {
                return;
            }
            for (ssize_t i = 0; i < n; ++i) {
                take(chunk[i]);
            }
        }
    }

    void take(std::uint8_t byte) {
        {
            std::lock_guard lock(mutex_);
            received_.push_back(byte);
        }
        arrived_.notify_all();
        if (byte == address_ && !reply_.empty()) {
            const ssize_t sent = ::write(master_, reply_.data(), reply_.size());
            (void)sent;  // a short answer shows up as a wrong reply
        }
    }

    int master_;
    std::uint8_t address_;
    Bytes reply_;
    StopSignal stop_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    Bytes received_;
    std::thread thread_;
};

class ProtocolTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.ok()) << pty_.errorText();
        ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    }

    // Everything the program sent, up to a sentinel written after it: the
    // line keeps order, so nothing sent earlier can come later.
    Bytes sentSoFar(Responder& responder) {
        port_.write(&Sentinel, 1);
        EXPECT_TRUE(responder.waitFor(Sentinel));
        Bytes sent = responder.received();
        EXPECT_EQ(sent.back(), Sentinel);
        sent.pop_back();
        return sent;
    }

    PtyPair pty_;
    SerialPort port_;
    InstrumentProtocol protocol_{port_};
};

TEST_F(ProtocolTest, CommandSendsCommandAndAddressOnly) {
    struct Case {
        InstrumentCommand command;
        std::uint8_t model;
        std::int32_t peripheral;
        Bytes line;
    };
    const Case cases[] = {
        {InstrumentCommand::Hold, 2, 7, {0xFC, 0x07}},
        {InstrumentCommand::Reset, 1, 7, {0xFF, 0x01}},
        {InstrumentCommand::Hold, 5, 300, {0xFC, 0x2C}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        PtyPair pty;
        ASSERT_TRUE(pty.ok()) << pty.errorText();
        ASSERT_TRUE(port_.open(pty.slavePath(), 9600)) << port_.lastErrorText();
        Responder responder(pty.master(), 0, {});
        // Input that is waiting is neither read nor discarded.
        ASSERT_TRUE(pty.writeToMaster({0x61, 0x62, 0x63}));
        ASSERT_TRUE(WaitUntil([&] { return port_.bytesWaiting() == 3; }));

        protocol_.setAddressing(c.model, c.peripheral);
        protocol_.SendByte(0x30);
        const std::uint8_t checksumBefore = protocol_.SendChecksum();
        const auto start = MonotonicClock::now();
        protocol_.SendCommand(c.command);
        const auto took = MonotonicClock::now() - start;

        EXPECT_EQ(sentSoFar(responder), (Bytes{0x30, c.line[0], c.line[1]}));
        EXPECT_EQ(port_.bytesWaiting(), 3);
        EXPECT_EQ(protocol_.SendChecksum(), checksumBefore ^ c.line[0] ^ c.line[1]);
        EXPECT_EQ(protocol_.TransferByte(), c.line[1]);
        // The pauses of the frame: 100 ms before, 10 ms between, 10 ms after.
        EXPECT_GE(took, 120ms);
    }
}

struct ExchangeCase {
    const char* what;
    bool query;
    std::uint8_t model;
    std::int32_t peripheral;
    Bytes answer;    // what the instrument sends after the address
    Bytes line;      // what the program sends
    Bytes expected;  // the reply it reads
    bool checksumMatches;
    bool present;
};

void PrintTo(const ExchangeCase& exchange, std::ostream* out) {
    *out << exchange.what;
}

class ProtocolExchangeTest : public ProtocolTest,
                             public testing::WithParamInterface<ExchangeCase> {};

TEST_P(ProtocolExchangeTest, ReadsReplyAfterAddress) {
    const ExchangeCase& c = GetParam();
    protocol_.setAddressing(c.model, c.peripheral);
    const std::uint8_t address = protocol_.AddressByte();
    Responder responder(pty_.master(), address, c.answer);

    // A leftover checksum shows whether the exchange cleared it.
    protocol_.SendByte(0x5A);
    const InstrumentReply reply =
        c.query ? protocol_.QueryTransaction() : protocol_.PollTransaction();

    Bytes line{0x5A};
    line.insert(line.end(), c.line.begin(), c.line.end());
    EXPECT_EQ(sentSoFar(responder), line);
    EXPECT_EQ(Bytes(reply.bytes.begin(), reply.bytes.end()), c.expected);
    EXPECT_EQ(protocol_.TransferByte(), c.expected.back());
    EXPECT_EQ(ChecksumMatches(reply), c.checksumMatches);
    EXPECT_EQ(InstrumentPresent(reply), c.present);
    std::uint8_t sent = 0;
    for (const std::uint8_t b : c.line) {
        sent ^= b;
    }
    EXPECT_EQ(protocol_.SendChecksum(), sent);
}

// clang-format off
const ExchangeCase ExchangeCases[] = {
    // what                     query  model peripheral answer
    //                          line   reply  checksum present
    {"QueryAnswered",           true,  2, 9,  {0x61, 0x02, 0x34, 0x56, 0x78, 0x79},
                                {0xFB, 0x09}, {0x61, 0x02, 0x34, 0x56, 0x78, 0x79}, true, true},
    {"PollAnswered",            false, 0, 9,  {0x20, 0x00, 0x01, 0x50, 0x00, 0x71},
                                {0x01},       {0x20, 0x00, 0x01, 0x50, 0x00, 0x71}, true, true},
    {"QueryCutAfterTwoBytes",   true,  3, 12, {0x61, 0x02},
                                {0xFB, 0x0C}, {0x61, 0x02, 0x02, 0x02, 0x02, 0x02}, false, true},
    {"PollSilentAtAddress1",    false, 1, 65, {},
                                {0x01},       {0x01, 0x01, 0x01, 0x01, 0x01, 0x01}, true, false},
    {"PollSilentAtAddress65",   false, 2, 65, {},
                                {0x41},       {0x41, 0x41, 0x41, 0x41, 0x41, 0x41}, true, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Replies, ProtocolExchangeTest, testing::ValuesIn(ExchangeCases),
                         [](const testing::TestParamInfo<ExchangeCase>& exchange) {
                             return exchange.param.what;
                         });

TEST_F(ProtocolTest, StopCutsSilentExchangeShort) {
    protocol_.setAddressing(2, 40);
    Responder responder(pty_.master(), 40, {});
    auto poll = std::async(std::launch::async, [this] { return protocol_.PollTransaction(); });
    ASSERT_TRUE(responder.waitFor(40));
    protocol_.stopSignal().request();
    // Six silent reads would take 2.4 s.
    ASSERT_EQ(poll.wait_for(1s), std::future_status::ready);
    poll.get();
    EXPECT_EQ(protocol_.TransferByte(), 40);

    // While the stop stands, whole exchanges send nothing at all.
    auto more = std::async(std::launch::async, [this] {
        protocol_.QueryTransaction();
        protocol_.SendCommand(InstrumentCommand::Reset);
        return protocol_.ReadReply(100);
    });
    ASSERT_EQ(more.wait_for(1s), std::future_status::ready);
    more.get();
    EXPECT_EQ(sentSoFar(responder), (Bytes{40}));
    EXPECT_EQ(protocol_.TransferByte(), 40);

    protocol_.stopSignal().reset();
    EXPECT_TRUE(protocol_.Pause(1));
}

TEST_F(ProtocolTest, GoneDeviceEndsReadsAtOnce) {
    protocol_.setAddressing(2, 40);
    pty_.closeMaster();
    auto poll = std::async(std::launch::async, [this] { return protocol_.PollTransaction(); });
    // Six silent reads would take 2.4 s.
    ASSERT_EQ(poll.wait_for(1500ms), std::future_status::ready);
    const InstrumentReply reply = poll.get();
    EXPECT_EQ(reply.statusByte(), 40);
    EXPECT_TRUE(port_.deviceGone());
}

TEST_F(ProtocolTest, ClosedPortTimesOutWithoutSending) {
    port_.close();
    protocol_.setAddressing(2, 0x33);
    protocol_.ClearSendChecksum();
    protocol_.SendByte(0x33);
    EXPECT_EQ(protocol_.TransferByte(), 0x33);
    EXPECT_EQ(protocol_.SendChecksum(), 0x33);

    const auto start = MonotonicClock::now();
    EXPECT_EQ(protocol_.ReadByteTimed(), 0x33);
    EXPECT_GE(MonotonicClock::now() - start, std::chrono::milliseconds(ReadByteTimeoutMs));

    // A stop ends the waits on a closed port too.
    protocol_.stopSignal().request();
    auto reply = std::async(std::launch::async, [this] { return protocol_.PollTransaction(); });
    ASSERT_EQ(reply.wait_for(1s), std::future_status::ready);
    EXPECT_EQ(reply.get().checksum(), 0x33);
}

}  // namespace
}  // namespace vexilor
