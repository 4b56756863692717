#include "write_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "serial_port.h"

namespace vexilor {
namespace {

using Clock = std::chrono::steady_clock;

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = -1;
    }

  private:
    int fd_;
};

struct Arrival {
    std::uint8_t byte;
    Clock::time_point at;
};

// Reads from the master side until count bytes came or the deadline passed.
std::vector<Arrival> ReadArrivals(int master, std::size_t count, Clock::time_point deadline) {
    std::vector<Arrival> arrivals;
    while (arrivals.size() < count && Clock::now() < deadline) {
        pollfd p{master, POLLIN, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) {
            continue;
        }
        std::uint8_t buffer[64];
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        const auto now = Clock::now();
        for (ssize_t i = 0; i < got; ++i) {
            arrivals.push_back({buffer[i], now});
        }
    }
    return arrivals;
}

ProgramFrame NumberedFrame() {
    ProgramFrame frame{};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(0xFE - 3 * i);
    }
    frame[50] = ProgramChecksum(frame);
    return frame;
}

class WriteProgramTest : public testing::Test {
  protected:
    void SetUp() override {
        int masterFd = -1;
        int slaveFd = -1;
        char name[256] = {};
        ASSERT_EQ(::openpty(&masterFd, &slaveFd, name, nullptr, nullptr), 0);
        master_ = std::make_unique<Fd>(masterFd);
        Fd slave(slaveFd);
        ASSERT_TRUE(port_.open(name, 9600)) << port_.lastErrorText();
    }

    // Puts bytes into the port's input queue and waits until they are there.
    void QueueInput(const std::vector<std::uint8_t>& bytes) {
        ASSERT_EQ(::write(master_->get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (port_.bytesWaiting() < static_cast<std::int32_t>(bytes.size()) &&
               Clock::now() < deadline) {
            std::this_thread::yield();
        }
        ASSERT_EQ(port_.bytesWaiting(), static_cast<std::int32_t>(bytes.size()));
    }

    std::unique_ptr<Fd> master_;
    SerialPort port_;
};

TEST_F(WriteProgramTest, SendsTheWholeFramePausedAndDropsWaitingInput) {
    QueueInput({0x61, 0x02, 0x34});
    InstrumentProtocol protocol(port_);
    const ProgramFrame frame = NumberedFrame();

    std::vector<Arrival> arrivals;
    const int master = master_->get();
    std::thread reader([&arrivals, master] {
        arrivals =
            ReadArrivals(master, ProgramFrameLength, Clock::now() + std::chrono::seconds(10));
    });
    const auto started = Clock::now();
    WriteProgram(protocol, frame);
    const auto took = Clock::now() - started;
    reader.join();

    EXPECT_EQ(port_.bytesWaiting(), 0);
    std::vector<std::uint8_t> received;
    for (const Arrival& a : arrivals) {
        received.push_back(a.byte);
    }
    EXPECT_EQ(received, std::vector<std::uint8_t>(frame.begin(), frame.end()));
    EXPECT_EQ(protocol.SendChecksum(), 0);  // the checksum byte cancels what came before it

    // A pause follows every byte: the frame cannot go out faster than 51
    // pauses, and its bytes arrive spread out rather than in one burst.
    EXPECT_GE(took, std::chrono::milliseconds(51 * ProgramBytePauseMs));
    ASSERT_EQ(arrivals.size(), ProgramFrameLength);
    EXPECT_GE(arrivals.back().at - arrivals.front().at, std::chrono::milliseconds(250));
}

TEST_F(WriteProgramTest, SendsTheXorOfWhatWentOutAsTheLastByte) {
    InstrumentProtocol protocol(port_);
    ProgramFrame frame = NumberedFrame();
    // The last byte on the line is the running XOR, whatever the frame holds
    // in its place.
    const std::uint8_t checksum = frame[50];
    frame[50] = static_cast<std::uint8_t>(checksum ^ 0xFF);
    protocol.SendByte(0x55);  // a checksum left over from an earlier exchange

    std::vector<Arrival> arrivals;
    const int master = master_->get();
    std::thread reader([&arrivals, master] {
        arrivals =
            ReadArrivals(master, ProgramFrameLength + 1, Clock::now() + std::chrono::seconds(10));
    });
    WriteProgram(protocol, frame);
    reader.join();

    ASSERT_EQ(arrivals.size(), ProgramFrameLength + 1);
    EXPECT_EQ(arrivals.front().byte, 0x55);
    EXPECT_EQ(arrivals.back().byte, checksum);
}

}  // namespace
}  // namespace vexilor
