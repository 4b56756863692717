#pragma once
// A running simulator and a client on its terminal, for the tests that
// drive the real program.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instrument_reply.h"
#include "sim_process.h"
#include "slave_terminal.h"

namespace vexilor::test {

inline Bytes Poll(std::uint8_t address) {
    return {address};
}
inline Bytes Query(std::uint8_t address) {
    return {0xFB, address};
}
inline Bytes Hold(std::uint8_t address) {
    return {0xFC, address};
}
inline Bytes Reset(std::uint8_t address) {
    return {0xFF, address};
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A download of SPEED, AL1 and AL2 ON/LOW/AUTO/OPEN at 10000, ANALG ON/TENS
// at 10000, DECP AUTO, COUNT UP 0, PRPHN 1 and BAUDR 9600, to address 1.
inline const Bytes ExampleDownload = {
    0xFE, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00,
    0x10, 0x01, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0x00, 0x68,
};

// The example sent to address with PRPHN peripheral (0 to 99) and the AL1
// flag byte al1Flags, its checksum made good again unless spoilt.
inline Bytes Download(std::uint8_t address, std::uint8_t peripheral, std::uint8_t al1Flags = 0x10,
                      bool spoilChecksum = false) {
    Bytes frame = ExampleDownload;
    frame[1] = address;
    frame[22] = al1Flags;
    frame[45] = static_cast<std::uint8_t>((peripheral / 10) << 4 | peripheral % 10);
    std::uint8_t checksum = 0;
    for (std::size_t i = 0; i < 50; ++i) {
        checksum ^= frame[i];
    }
    frame[50] = spoilChecksum ? static_cast<std::uint8_t>(checksum ^ 0x5A) : checksum;
    return frame;
}

inline InstrumentReply AsReply(const Bytes& bytes) {
    InstrumentReply reply;
    for (std::size_t i = 0; i < bytes.size() && i < reply.bytes.size(); ++i) {
        reply.bytes[i] = bytes[i];
    }
    return reply;
}

inline Bytes SentBytes(const Record& record) {
    Bytes sent;
    for (const RecordEntry& entry : record) {
        if (entry.direction == RecordDirection::Tx) {
            sent.push_back(entry.byte);
        }
    }
    return sent;
}

inline std::size_t ReceivedCount(const Record& record) {
    std::size_t count = 0;
    for (const RecordEntry& entry : record) {
        count += entry.direction == RecordDirection::Rx ? 1 : 0;
    }
    return count;
}

class SimFixture : public ::testing::Test {
  protected:
    // Starts the simulator and opens a client on its link.
    void start(const std::vector<std::string>& args = {}) {
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started());
        client = std::make_unique<SlaveTerminal>(sim->linkPath());
        ASSERT_TRUE(client->isOpen());
    }

    void run(const std::string& line) { ASSERT_TRUE(sim->command(line)) << sim->lastAnswer(); }

    // Sends request and reads one six-byte reply.
    InstrumentReply ask(const Bytes& request) {
        const Bytes bytes = client->exchange(request, ReplyLength);
        EXPECT_EQ(bytes.size(), static_cast<std::size_t>(ReplyLength));
        return AsReply(bytes);
    }

    // Waits until the simulator has taken in count bytes in all, so a
    // command sent next cannot overtake them.
    void awaitReceived(std::size_t count) {
        ASSERT_TRUE(sim->waitForRecord(
            [count](const Record& record) { return ReceivedCount(record) >= count; }));
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<SlaveTerminal> client;
};

}  // namespace vexilor::test
