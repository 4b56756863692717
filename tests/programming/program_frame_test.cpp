#include "program_frame.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pack_bcd.h"

namespace vexilor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Address 1 and a set that every test below starts from.
ParameterSet ExampleSet() {
    return ParameterSet{
        .funct = "SPEED",
        .pulre = "1",
        .adjti = "1",
        .ureal = "1",
        .udisp = "1",
        .al1On = "ON",
        .al1Low = "LOW",
        .al1Auto = "AUTO",
        .al1Open = "OPEN",
        .al1Value = "10000",
        .al2On = "ON",
        .al2Low = "LOW",
        .al2Auto = "AUTO",
        .al2Open = "OPEN",
        .al2Value = "10000",
        .analgOn = "ON",
        .analgTens = "TENS",
        .analgValue = "10000",
        .decp = "AUTO",
        .countUp = "UP",
        .countValue = "0",
        .prphn = "1",
        .baudr = "9600",
    };
}

const Bytes ExampleFrame = {
    0xFE, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00,
    0x10, 0x01, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0x00, 0x68,
};

Bytes ToBytes(const ProgramFrame& frame) {
    return Bytes(frame.begin(), frame.end());
}

TEST(ProgramFrameTest, ExampleSetGivesTheKnownFrame) {
    const ProgramFrameResult result = BuildProgramFrame(ExampleSet(), 1);
    ASSERT_TRUE(result.frame.has_value());
    EXPECT_TRUE(result.refusedParameters.empty());
    EXPECT_EQ(ToBytes(*result.frame), ExampleFrame);
}

struct PackCase {
    std::string text;
    std::array<std::uint8_t, 4> bytes;
};

TEST(PackBcdTest, FillsCutsAndPacksEightDigits) {
    const std::vector<PackCase> cases = {
        {"123456789", {0x12, 0x34, 0x56, 0x78}}, {"12345678", {0x12, 0x34, 0x56, 0x78}},
        {"1234567", {0x01, 0x23, 0x45, 0x67}},   {"9", {0x00, 0x00, 0x00, 0x09}},
        {"", {0x00, 0x00, 0x00, 0x00}},          {"-5", {0x00, 0x00, 0x00, 0x05}},
        {"1a2b", {0x00, 0x00, 0x10, 0x20}},      {"99999999999", {0x99, 0x99, 0x99, 0x99}},
    };
    for (const PackCase& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(PackBcd(c.text), c.bytes);
    }
}

// One change to the example set (or its address) and the bytes it puts at
// offset; every other byte but the checksum stays as in the example.
struct FieldCase {
    const char* name;
    std::function<void(ParameterSet&, std::uint8_t&)> change;
    std::size_t offset;
    Bytes bytes;
};

void CheckFieldCases(const std::vector<FieldCase>& cases) {
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        ParameterSet set = ExampleSet();
        std::uint8_t address = 1;
        c.change(set, address);
        const ProgramFrameResult result = BuildProgramFrame(set, address);
        ASSERT_TRUE(result.frame.has_value());
        Bytes expected = ExampleFrame;
        std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + static_cast<long>(c.offset));
        expected[50] = 0;
        for (std::size_t i = 0; i < 50; ++i) {
            expected[50] ^= expected[i];
        }
        EXPECT_EQ(ToBytes(*result.frame), expected);
    }
}

TEST(ProgramFrameTest, ValuesAndAddressLandAtTheirOffsets) {
    CheckFieldCases({
        {"address", [](ParameterSet&, std::uint8_t& a) { a = 0x41; }, 1, {0x41}},
        {"PULRE longer than 8",
         [](ParameterSet& s, std::uint8_t&) { s.pulre = "123456789"; },
         6,
         {0x12, 0x34, 0x56, 0x78}},
        {"UREAL empty",
         [](ParameterSet& s, std::uint8_t&) { s.ureal = ""; },
         14,
         {0x00, 0x00, 0x00, 0x00}},
        {"UDISP",
         [](ParameterSet& s, std::uint8_t&) { s.udisp = "87654321"; },
         18,
         {0x87, 0x65, 0x43, 0x21}},
        {"AL1 value loses its leading digit",
         [](ParameterSet& s, std::uint8_t&) { s.al1Value = "1234567"; },
         23,
         {0x23, 0x45, 0x67}},
        {"AL2 value",
         [](ParameterSet& s, std::uint8_t&) { s.al2Value = "999999"; },
         27,
         {0x99, 0x99, 0x99}},
        {"ANALG value",
         [](ParameterSet& s, std::uint8_t&) { s.analgValue = "42"; },
         31,
         {0x00, 0x00, 0x42}},
        {"COUNT value",
         [](ParameterSet& s, std::uint8_t&) { s.countValue = "7"; },
         39,
         {0x00, 0x00, 0x07}},
        {"PRPHN",
         [](ParameterSet& s, std::uint8_t&) { s.prphn = "250"; },
         42,
         {0x00, 0x00, 0x02, 0x50}},
        {"BAUDR",
         [](ParameterSet& s, std::uint8_t&) { s.baudr = "300"; },
         46,
         {0x00, 0x00, 0x03, 0x00}},
    });
}

void SetAlarm(ParameterSet& s, int alarm, const char* on, const char* low, const char* autoHold,
              const char* open) {
    const bool first = alarm == 1;
    (first ? s.al1On : s.al2On) = on;
    (first ? s.al1Low : s.al2Low) = low;
    (first ? s.al1Auto : s.al2Auto) = autoHold;
    (first ? s.al1Open : s.al2Open) = open;
}

TEST(ProgramFrameTest, FlagBytesSetOneBitPerChoice) {
    CheckFieldCases({
        {"AL1 OFF HIGH HOLD CLOSE",
         [](ParameterSet& s, std::uint8_t&) { SetAlarm(s, 1, "OFF", "HIGH", "HOLD", "CLOSE"); },
         22,
         {0xE0}},
        {"AL1 OFF LOW AUTO OPEN",
         [](ParameterSet& s, std::uint8_t&) { SetAlarm(s, 1, "OFF", "LOW", "AUTO", "OPEN"); },
         22,
         {0x00}},
        {"AL2 ON LOW AUTO CLOSE",
         [](ParameterSet& s, std::uint8_t&) { SetAlarm(s, 2, "ON", "LOW", "AUTO", "CLOSE"); },
         26,
         {0x90}},
        {"AL2 OFF HIGH AUTO OPEN",
         [](ParameterSet& s, std::uint8_t&) { SetAlarm(s, 2, "OFF", "HIGH", "AUTO", "OPEN"); },
         26,
         {0x20}},
        {"AL2 OFF LOW HOLD OPEN",
         [](ParameterSet& s, std::uint8_t&) { SetAlarm(s, 2, "OFF", "LOW", "HOLD", "OPEN"); },
         26,
         {0x40}},
        {"ANALG ON CURR",
         [](ParameterSet& s, std::uint8_t&) {
             s.analgOn = "ON";
             s.analgTens = "CURR";
         },
         30,
         {0x30}},
        {"ANALG OFF CURR",
         [](ParameterSet& s, std::uint8_t&) {
             s.analgOn = "OFF";
             s.analgTens = "CURR";
         },
         30,
         {0x20}},
        {"ANALG OFF TENS", [](ParameterSet& s, std::uint8_t&) { s.analgOn = "OFF"; }, 30, {0x00}},
        {"COUNT DOWN", [](ParameterSet& s, std::uint8_t&) { s.countUp = "DOWN"; }, 38, {0x10}},
    });
}

TEST(ProgramFrameTest, CodeBytesOfEveryRowAreFollowedByThreeZeros) {
    struct Code {
        std::string row;
        std::uint8_t code;
    };
    const std::vector<Code> funct = {{"SPEED", 0x10}, {"TOTAL", 0x20}, {"SECON", 0x40}};
    const std::vector<Code> adjti = {{"0.1", 0x40}, {"0.25", 0x50}, {"0.5", 0x60}, {"1", 0x00},
                                     {"2", 0x10},   {"4", 0x20},    {"8", 0x30}};
    const std::vector<Code> decp = {{"0", 0x10}, {"1", 0x20}, {"2", 0x30}, {"AUTO", 0x00}};
    std::vector<FieldCase> cases;
    for (const Code& c : funct) {
        cases.push_back({"FUNCT",
                         [c](ParameterSet& s, std::uint8_t&) { s.funct = c.row; },
                         2,
                         {c.code, 0, 0, 0}});
    }
    for (const Code& c : adjti) {
        cases.push_back({"ADJTI",
                         [c](ParameterSet& s, std::uint8_t&) { s.adjti = c.row; },
                         10,
                         {c.code, 0, 0, 0}});
    }
    for (const Code& c : decp) {
        cases.push_back({"DECP",
                         [c](ParameterSet& s, std::uint8_t&) { s.decp = c.row; },
                         34,
                         {c.code, 0, 0, 0}});
    }
    CheckFieldCases(cases);
}

struct RefusalCase {
    const char* name;
    std::function<void(ParameterSet&)> change;
    std::vector<std::string> refused;
};

TEST(ProgramFrameTest, RefusesUnselectedListsAndValuesThatAreNotDigits) {
    const std::vector<RefusalCase> cases = {
        {"no FUNCT row", [](ParameterSet& s) { s.funct = ""; }, {"FUNCT"}},
        {"negative PULRE", [](ParameterSet& s) { s.pulre = "-5"; }, {"PULRE"}},
        {"UREAL with a point", [](ParameterSet& s) { s.ureal = "1.5"; }, {"UREAL"}},
        {"two faults in AL1, named once",
         [](ParameterSet& s) {
             s.al1Low = "";
             s.al1Value = "-5";
         },
         {"AL1"}},
        {"ANALG tens/curr unselected", [](ParameterSet& s) { s.analgTens = ""; }, {"ANALG"}},
        {"COUNT value with a sign", [](ParameterSet& s) { s.countValue = "+3"; }, {"COUNT"}},
        {"in table order",
         [](ParameterSet& s) {
             s.baudr = "";
             s.udisp = "x";
             s.funct = "";
         },
         {"FUNCT", "UDISP", "BAUDR"}},
        {"PRPHN and BAUDR outside their lists",
         [](ParameterSet& s) {
             s.prphn = "251";
             s.baudr = "1000";
         },
         {"PRPHN", "BAUDR"}},
        {"DECP and PRPHN unselected",
         [](ParameterSet& s) {
             s.decp = "";
             s.prphn = "";
         },
         {"DECP", "PRPHN"}},
        {"nothing selected at all",
         [](ParameterSet& s) { s = ParameterSet{}; },
         {"FUNCT", "ADJTI", "AL1", "AL2", "ANALG", "DECP", "COUNT", "PRPHN", "BAUDR"}},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        ParameterSet set = ExampleSet();
        c.change(set);
        const ProgramFrameResult result = BuildProgramFrame(set, 1);
        EXPECT_FALSE(result.frame.has_value());
        EXPECT_EQ(result.refusedParameters, c.refused);
    }
}

TEST(ProgramFrameTest, EmptyValuesAreSentAsZeros) {
    ParameterSet set = ExampleSet();
    set.pulre = set.ureal = set.udisp = set.al1Value = set.al2Value = set.analgValue =
        set.countValue = "";
    const ProgramFrameResult result = BuildProgramFrame(set, 1);
    ASSERT_TRUE(result.frame.has_value());
    const ProgramFrame& frame = *result.frame;
    for (const std::size_t offset : {6,  7,  8,  9,  14, 15, 16, 17, 18, 19, 20, 21,
                                     23, 24, 25, 27, 28, 29, 31, 32, 33, 39, 40, 41}) {
        EXPECT_EQ(frame[offset], 0) << "offset " << offset;
    }
}

}  // namespace
}  // namespace vexilor
