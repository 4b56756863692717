#include <gtest/gtest.h>

#include "instrument_reply.h"

namespace vexilor {
namespace {

struct ReplyCase {
    const char* what;
    InstrumentReply reply;
    bool checksumMatches;
    bool present;
    const char* text;
};

TEST(InstrumentReplyTest, DecodesReplies) {
    const ReplyCase cases[] = {
        {"leading one, present", {{0x61, 0x02, 0x34, 0x56, 0x78, 0x79}}, true, true, "123456.78"},
        {"leading zero", {{0x20, 0x00, 0x01, 0x50, 0x00, 0x71}}, true, true, "000150.00"},
        {"nibble above 9 widens to ten characters",
         {{0x61, 0x02, 0xA3, 0x56, 0x78, 0xEE}},
         true,
         true,
         "1210356.78"},
        {"every nibble above 9",
         {{0x20, 0xFF, 0xBC, 0xDE, 0xAF, 0x12}},
         true,
         true,
         "01511121314.1015"},
        {"silent line at address 1",
         {{0x01, 0x01, 0x01, 0x01, 0x01, 0x01}},
         true,
         false,
         "110101.01"},
        {"silent line at address 65",
         {{0x41, 0x41, 0x41, 0x41, 0x41, 0x41}},
         true,
         true,
         "114141.41"},
        {"bad checksum still decoded",
         {{0x61, 0x02, 0x34, 0x56, 0x78, 0x00}},
         false,
         true,
         "123456.78"},
        {"only bit 0x40 present", {{0x40, 0x98, 0x76, 0x54, 0x32, 0xC8}}, true, true, "087654.32"},
        {"unused bits 0x02 and 0x80",
         {{0x82, 0x00, 0x00, 0x00, 0x00, 0x82}},
         true,
         false,
         "000000.00"},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChecksumMatches(c.reply), c.checksumMatches);
        EXPECT_EQ(InstrumentPresent(c.reply), c.present);
        EXPECT_EQ(ReadingText(c.reply), c.text);
    }
}

TEST(InstrumentReplyTest, AddressByteFollowsModel) {
    struct Case {
        std::uint8_t model;
        std::int32_t peripheral;
        std::uint8_t address;
    };
    const Case cases[] = {
        {0, 7, 1}, {1, 7, 1},    {1, 0, 1},     {2, 7, 7},   {5, 127, 127},
        {2, 0, 0}, {3, 300, 44}, {255, 65, 65}, {0, 300, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "model " << int(c.model) << " peripheral " << c.peripheral);
        EXPECT_EQ(AddressByte(c.model, c.peripheral), c.address);
    }
}

}  // namespace
}  // namespace vexilor
