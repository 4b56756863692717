// The byte-level logic of the simulated instrument: reply encoding, frame
// splitting and the decoding of a download.

#include <gtest/gtest.h>

#include <vector>

#include "downloaded_program.h"
#include "frame_parser.h"
#include "reply_encoding.h"

namespace vexilor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A download to address 1 of SPEED, AL1 and AL2 ON/LOW/AUTO/OPEN at 10000,
// ANALG ON/TENS at 10000, DECP AUTO, COUNT UP 0, PRPHN 1 and BAUDR 9600.
const Bytes ExampleDownload = {
    0xFE, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00,
    0x10, 0x01, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0x00, 0x68,
};

DownloadParameters ParametersOf(const Bytes& frame) {
    DownloadParameters parameters{};
    std::copy(frame.begin() + 2, frame.begin() + 50, parameters.begin());
    return parameters;
}

TEST(ReplyEncoding, PacksDigitsStatusAndChecksum) {
    struct Case {
        Reading reading;
        std::uint8_t statusBits;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        // A leading 1 travels as the status bit with a 0 nibble.
        {12345678, 0x60, {0x61, 0x02, 0x34, 0x56, 0x78, 0x79}},
        {15000, 0x20, {0x20, 0x00, 0x01, 0x50, 0x00, 0x71}},
        // Any other leading digit sits in the high nibble.
        {50000000, 0x20, {0x20, 0x50, 0x00, 0x00, 0x00, 0x70}},
        {99999999, 0x30, {0x30, 0x99, 0x99, 0x99, 0x99, 0x30}},
        // Beyond eight digits the reading is clamped, below zero it is zero.
        {123456789, 0x20, {0x20, 0x99, 0x99, 0x99, 0x99, 0x20}},
        {-5, 0x20, {0x20, 0x00, 0x00, 0x00, 0x00, 0x20}},
        // The caller cannot set the leading-one bit for a reading without one.
        {0, 0x21, {0x20, 0x00, 0x00, 0x00, 0x00, 0x20}},
        {10000, 0x2C, {0x2C, 0x00, 0x01, 0x00, 0x00, 0x2D}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reading);
        const InstrumentReply reply = EncodeReply(c.reading, c.statusBits);
        EXPECT_EQ(Bytes(reply.bytes.begin(), reply.bytes.end()), c.expected);
    }
}

TEST(ReplyEncoding, ReadsBackAsTheSameText) {
    for (const Reading reading :
         {Reading{0}, Reading{100}, Reading{12345678}, Reading{1999999}, Reading{19999999}}) {
        SCOPED_TRACE(reading);
        const InstrumentReply reply = EncodeReply(reading, 0x20);
        EXPECT_TRUE(ChecksumMatches(reply));
        EXPECT_TRUE(InstrumentPresent(reply));
        std::string expected = std::to_string(reading / 100 + 1000000).substr(1) + "." +
                               std::to_string(reading % 100 + 100).substr(1);
        EXPECT_EQ(ReadingText(reply), expected);
    }
}

struct ParsedFrame {
    FrameKind kind;
    std::uint8_t address;
    bool checksumMatches;

    friend bool operator==(const ParsedFrame&, const ParsedFrame&) = default;
};

std::ostream& operator<<(std::ostream& out, const ParsedFrame& frame) {
    return out << "{kind " << static_cast<int>(frame.kind) << ", address " << int{frame.address}
               << ", checksum " << frame.checksumMatches << "}";
}

std::vector<ParsedFrame> Parse(FrameParser& parser, const Bytes& bytes) {
    std::vector<ParsedFrame> frames;
    for (const std::uint8_t byte : bytes) {
        if (const auto frame = parser.push(byte)) {
            frames.push_back({frame->kind, frame->address, frame->checksumMatches});
        }
    }
    return frames;
}

TEST(FrameParser, SplitsBytesIntoFrames) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::vector<ParsedFrame> expected;
    };
    Bytes badChecksum = ExampleDownload;
    badChecksum.back() ^= 0x01;
    // Parameter bytes that look like commands stay inside the download.
    Bytes commandLikeParameters = ExampleDownload;
    commandLikeParameters[6] = 0xFB;
    commandLikeParameters[7] = 0xFF;
    commandLikeParameters[50] ^= 0xFB ^ 0xFF;
    Bytes downloadThenPoll = ExampleDownload;
    downloadThenPoll.push_back(0x01);
    const std::vector<Case> cases = {
        {"poll", {0x07}, {{FrameKind::Poll, 7, false}}},
        {"highest address", {0xFA}, {{FrameKind::Poll, 250, false}}},
        {"query", {0xFB, 0x07}, {{FrameKind::Query, 7, false}}},
        {"hold and reset",
         {0xFC, 0x03, 0xFF, 0x03},
         {{FrameKind::Hold, 3, false}, {FrameKind::Reset, 3, false}}},
        {"no frame", {0xFD, 0xFD}, {}},
        {"command cut short", {0xFB, 0xFC, 0x02}, {{FrameKind::Hold, 2, false}}},
        {"non-address after command", {0xFB, 0xFD, 0x04}, {{FrameKind::Poll, 4, false}}},
        {"query then poll",
         {0xFB, 0x01, 0x01},
         {{FrameKind::Query, 1, false}, {FrameKind::Poll, 1, false}}},
        {"download", ExampleDownload, {{FrameKind::Download, 1, true}}},
        {"download, bad checksum", badChecksum, {{FrameKind::Download, 1, false}}},
        {"download, command-like bytes", commandLikeParameters, {{FrameKind::Download, 1, true}}},
        {"download then poll",
         downloadThenPoll,
         {{FrameKind::Download, 1, true}, {FrameKind::Poll, 1, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameParser parser;
        EXPECT_EQ(Parse(parser, c.bytes), c.expected);
        EXPECT_FALSE(parser.insideFrame());
    }
}

TEST(FrameParser, AbandonDropsAHalfFrame) {
    FrameParser parser;
    EXPECT_TRUE(Parse(parser, {0xFE, 0x01, 0x10}).empty());
    EXPECT_TRUE(parser.insideFrame());
    parser.abandon();
    EXPECT_EQ(Parse(parser, {0x05}), (std::vector<ParsedFrame>{{FrameKind::Poll, 5, false}}));
}

TEST(FrameParser, DownloadCarriesItsParameters) {
    FrameParser parser;
    std::optional<Frame> frame;
    for (const std::uint8_t byte : ExampleDownload) {
        frame = parser.push(byte);
    }
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->parameters, ParametersOf(ExampleDownload));
}

TEST(DownloadedProgram, DecodesFunctionAlarmsAddressAndBaud) {
    const DownloadedProgram example = DecodeProgram(ParametersOf(ExampleDownload));
    EXPECT_EQ(FunctionName(example.functionCode), "SPEED");
    EXPECT_TRUE(example.al1.on);
    EXPECT_EQ(example.al1.setPoint, 10000);
    EXPECT_TRUE(example.al2.on);
    EXPECT_EQ(example.al2.setPoint, 10000);
    EXPECT_EQ(example.peripheralNumber, 1);
    EXPECT_EQ(example.baudRate, 9600);

    Bytes changed = ExampleDownload;
    changed[2] = 0x40;   // SECON
    changed[22] = 0xE0;  // AL1 OFF, HIGH, HOLD, CLOSE
    changed[23] = 0x12;  // AL1 value 123456
    changed[24] = 0x34;
    changed[25] = 0x56;
    changed[26] = 0x10;  // AL2 ON at 0
    changed[27] = 0x00;
    changed[44] = 0x02;  // PRPHN 250
    changed[45] = 0x50;
    changed[48] = 0xA6;  // BAUDR not BCD
    const DownloadedProgram other = DecodeProgram(ParametersOf(changed));
    EXPECT_EQ(FunctionName(other.functionCode), "SECON");
    EXPECT_FALSE(other.al1.on);
    EXPECT_EQ(other.al1.setPoint, 123456);
    EXPECT_TRUE(other.al2.on);
    EXPECT_EQ(other.al2.setPoint, 0);
    EXPECT_EQ(other.peripheralNumber, 250);
    EXPECT_EQ(other.baudRate, std::nullopt);
    EXPECT_EQ(FunctionName(0x33), "0x33");
}

}  // namespace
}  // namespace vexilor
