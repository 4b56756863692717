#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "port_names.h"

namespace vexilor {
namespace {

using Names = std::vector<std::string>;

TEST(PortNamesTest, SortsDigitRunsByValue) {
    struct Case {
        const char* what;
        Names input;
        Names sorted;
    };
    const Case cases[] = {
        {"serial devices",
         {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "ttyS1", "ttyACM0", "ttyAMA0", "ttyUSB10",
          "ttyUSB9"},
         {"ttyACM0", "ttyACM1", "ttyAMA0", "ttyS1", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB9",
          "ttyUSB10"}},
        {"paths with several numbers",
         {"/dev/pts/12", "/dev/pts/3", "/dev/pts/100", "/dev/pts/0"},
         {"/dev/pts/0", "/dev/pts/3", "/dev/pts/12", "/dev/pts/100"}},
        {"numbers inside names",
         {"a10b2", "a2b10", "a2b9", "a10b1"},
         {"a2b9", "a2b10", "a10b1", "a10b2"}},
        {"leading zeros and prefixes",
         {"ttyS010", "ttyS", "ttyS9", "ttyS02", "ttyS2", "tty"},
         {"tty", "ttyS", "ttyS02", "ttyS2", "ttyS9", "ttyS010"}},
        {"number longer than any integer",
         {"ttyS123456789012345678901234567890", "ttyS99999999999999999999"},
         {"ttyS99999999999999999999", "ttyS123456789012345678901234567890"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Names names = c.input;
        SortNaturally(names);
        EXPECT_EQ(names, c.sorted);
    }
}

TEST(PortNamesTest, NaturalLessIsStrict) {
    struct Case {
        const char* a;
        const char* b;
        bool aFirst;
        bool bFirst;
    };
    const Case cases[] = {
        {"ttyS2", "ttyS10", true, false}, {"ttyS2", "ttyS2", false, false},
        {"ttyS02", "ttyS2", true, false}, {"", "a", true, false},
        {"", "", false, false},           {"ttyS", "ttyS0", true, false},
        {"ttyS9", "ttySA", true, false},  {"ttyACM0", "ttyAMA0", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.a << "\" vs \"" << c.b << '"');
        EXPECT_EQ(NaturalLess(c.a, c.b), c.aFirst);
        EXPECT_EQ(NaturalLess(c.b, c.a), c.bFirst);
    }
}

TEST(PortNamesTest, SplitsColonSeparatedList) {
    struct Case {
        const char* list;
        Names entries;
    };
    const Case cases[] = {
        {"", {}},
        {":", {}},
        {"/dev/pts/3", {"/dev/pts/3"}},
        {"/dev/pts/3:/tmp/port", {"/dev/pts/3", "/tmp/port"}},
        {"::/dev/a::/dev/b::", {"/dev/a", "/dev/b"}},
        {"/dev/b:/dev/a", {"/dev/b", "/dev/a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(SplitPathList(c.list), c.entries);
    }
}

}  // namespace
}  // namespace vexilor
