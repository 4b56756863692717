#include "log_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexilor {
namespace {

std::string Spaces(std::size_t count) {
    return std::string(count, ' ');
}

const std::string kHeader =
    Spaces(21) + "Time" + Spaces(21) + "Read" + Spaces(3) + "AL1" + Spaces(3) + "AL2" + "\r\n";

TEST(FitToWidth, RightAlignsOrCuts) {
    const struct {
        std::string text;
        std::size_t width;
        std::string expected;
    } cases[] = {
        {"Time", 25, Spaces(21) + "Time"},
        {"ON", 6, "    ON"},
        {"", 6, Spaces(6)},
        {"2016-05-12 10:11:12", 25, Spaces(6) + "2016-05-12 10:11:12"},
        {"Incorrect CheckSum on response", 25, "Incorrect CheckSum on res"},
        {"exact", 5, "exact"},
        {"abc", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FitToWidth(c.text, c.width), c.expected);
    }
}

TEST(LogExport, EmptyTableGivesTheHeaderLineAlone) {
    EXPECT_EQ(BuildLogExport({}), kHeader);
    EXPECT_EQ(kHeader.size(), 64u);
}

TEST(LogExport, OneFixedWidthLinePerRowInTableOrder) {
    const std::vector<LogRow> rows = {
        {"2016-05-12 10:11:14", "000123.45", "ON", "OFF"},
        {"2016-05-12 10:11:13", "Incorrect CheckSum on response", "", ""},
        {"2016-05-12 10:11:12", "No vexilor connected", "OFF", "ON"},
    };
    const std::string expected = kHeader + Spaces(6) + "2016-05-12 10:11:14" + Spaces(16) +
                                 "000123.45" + "    ON" + "   OFF\r\n" + Spaces(6) +
                                 "2016-05-12 10:11:13" + "Incorrect CheckSum on res" + Spaces(12) +
                                 "\r\n" + Spaces(6) + "2016-05-12 10:11:12" + Spaces(5) +
                                 "No vexilor connected" + "   OFF" + "    ON\r\n";
    EXPECT_EQ(BuildLogExport(rows), expected);
}

TEST(LogExport, EveryLineIs62CharactersAndCrLf) {
    const std::vector<LogRow> rows = {
        {"", "", "", ""},
        {"a much longer time text than the field", "x", "ALARM ON", "A"},
    };
    const std::string text = BuildLogExport(rows);
    ASSERT_EQ(text.size(), (rows.size() + 1) * 64);
    for (std::size_t line = 0; line <= rows.size(); ++line) {
        SCOPED_TRACE(line);
        const std::string_view current = std::string_view(text).substr(line * 64, 64);
        EXPECT_EQ(current.substr(62), "\r\n");
        EXPECT_EQ(current.substr(0, 62).find_first_of("\r\n"), std::string_view::npos);
    }
    EXPECT_EQ(text.substr(64, 62), Spaces(62));
    EXPECT_EQ(text.substr(128, 62),
              "a much longer time text t" + Spaces(24) + "x" + "ALARM " + Spaces(5) + "A");
}

}  // namespace
}  // namespace vexilor
