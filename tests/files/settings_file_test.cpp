#include "settings_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace vexilor {
namespace {

SettingsEntry Group(std::string name) {
    return {EntryKind::GroupHeader, std::move(name), {}};
}
SettingsEntry Key(std::string name, std::string value) {
    return {EntryKind::Key, std::move(name), std::move(value)};
}
SettingsEntry Comment(std::string text) {
    return {EntryKind::Comment, std::move(text), {}};
}

struct ParseCase {
    const char* label;
    std::string bytes;
    std::vector<SettingsEntry> entries;
};

TEST(SettingsFileParse, CutsLinesAndReadsEachKind) {
    const std::vector<ParseCase> cases = {
        {"empty file", "", {}},
        {"runs of CR and LF end one line",
         "[A]\r\n\r\n\n\rk = v\r\r\n",
         {Group("A"), Key("k", "v")}},
        {"lone CR and lone LF end lines",
         "[A]\rk=1\nj=2",
         {Group("A"), Key("k", "1"), Key("j", "2")}},
        {"leading spaces and tabs skipped", " \t [A]\n\t k = v", {Group("A"), Key("k", "v")}},
        {"header is cut at the first ] and not trimmed",
         "[ Program ]\n[a]b]c\n[open",
         {Group(" Program "), Group("a"), Group("open")}},
        {"comment drops one space after ;",
         ";x\n; y\n;  z\n  ; w",
         {Comment("x"), Comment("y"), Comment(" z"), Comment("w")}},
        {"key name trimmed at its end, value at its start only",
         "name \t= \t value  \t",
         {Key("name", "value  \t")}},
        {"value runs past further = signs", "a = b = c", {Key("a", "b = c")}},
        {"no = gives an empty value", "lonely \t", {Key("lonely", "")}},
        {"empty value after =", "k =", {Key("k", "")}},
        {"a line of blanks is a nameless key", "   ", {Key("", "")}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.label);
        const SettingsFile file = SettingsFile::Open(c.bytes);
        EXPECT_EQ(file.entries(), c.entries);
        EXPECT_EQ(file.encoding(), TextEncoding::SingleByte);
    }
}

TEST(SettingsFileParse, ByteOrderMarkIsSkippedAndMarksUtf8) {
    const std::string plain = "[Program]\r\nFunct = TOTAL\r\n";
    const SettingsFile withMark = SettingsFile::Open("\xEF\xBB\xBF" + plain);
    EXPECT_EQ(withMark.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(withMark.entries(), SettingsFile::Open(plain).entries());

    // Fewer than three bytes, or a partial mark, is ordinary text.
    EXPECT_EQ(SettingsFile::Open("\xEF\xBB").encoding(), TextEncoding::SingleByte);
    const SettingsFile partial = SettingsFile::Open("\xEF\xBBk=1");
    EXPECT_EQ(partial.encoding(), TextEncoding::SingleByte);
    EXPECT_EQ(partial.entries(), std::vector<SettingsEntry>{Key("\xEF\xBBk", "1")});
}

TEST(SettingsFileLookup, FindsKeysOnlyInTheFirstGroupOfThatName) {
    SettingsFile file = SettingsFile::Open(
        "top = 9\r\n"
        "[Other]\r\n"
        "Pulre = 8\r\n"
        "[program]\r\n"
        "; Pulre = 7\r\n"
        "PULRE = 5\r\n"
        "Pulre = 6\r\n"
        "Empty =\r\n"
        "[Program]\r\n"
        "Second = 1\r\n");
    file.SelectGroup("Program");
    EXPECT_EQ(file.ReadInteger("pulre", -1), 5);
    EXPECT_EQ(file.ReadInteger("Empty", 42), 0);
    EXPECT_EQ(file.ReadText("Empty", "default"), "");
    EXPECT_EQ(file.ReadInteger("Second", 42), 42);
    EXPECT_EQ(file.ReadInteger("top", 42), 42);
    EXPECT_EQ(file.ReadText("Missing", "  kept  "), "  kept  ");

    file.SelectGroup(" Program ");
    EXPECT_EQ(file.ReadInteger("Pulre", 42), 42);
}

TEST(SettingsFileLookup, NothingIsFoundBeforeAGroupIsSelected) {
    const SettingsFile file = SettingsFile::Open("k = 1\r\n[G]\r\nk = 2\r\n");
    EXPECT_EQ(file.ReadInteger("k", 42), 42);
}

TEST(SettingsFileLookup, ReadIntegerParsesTheLeadingNumber) {
    const struct {
        const char* value;
        std::int32_t expected;
    } cases[] = {
        {"007", 7},
        {"12abc", 12},
        {"-15", -15},
        {"+15", 15},
        {"abc", 0},
        {"- 5", 0},
        {"", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN},
        {"0000000000000000000000012", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        SettingsFile file = SettingsFile::Open(std::string("[G]\r\nk = ") + c.value + "\r\n");
        file.SelectGroup("G");
        EXPECT_EQ(file.ReadInteger("k", 42), c.expected);
    }
}

TEST(SettingsFileLookup, ReadTextTrimsAndConvertsUtf8ToSingleBytes) {
    const struct {
        const char* label;
        std::string value;
        bool utf8;
        std::string expected;
    } cases[] = {
        {"trimmed both ends", "TOTAL \t  ", false, "TOTAL"},
        {"single-byte text unchanged", "caf\xE9", false, "caf\xE9"},
        {"U+00E9 becomes one byte", "caf\xC3\xA9", true, "caf\xE9"},
        {"U+00FF is the last single byte", "\xC3\xBF", true, "\xFF"},
        {"U+0100 and beyond become ?", "\xC4\x80\xE2\x82\xAC\xF0\x9F\x98\x80", true, "???"},
        {"a stray continuation byte", "a\x80z", true, "a?z"},
        {"a truncated sequence", "a\xC3", true, "a?"},
        {"an overlong form", "\xC0\xAF", true, "??"},
        {"a surrogate", "\xED\xA0\x80", true, "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", true, "????"},
        {"invalid bytes in the single-byte range", "\xFE\xFF", true, "??"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string mark = c.utf8 ? "\xEF\xBB\xBF" : "";
        SettingsFile file = SettingsFile::Open(mark + "[G]\r\nk = " + c.value + "\r\n");
        file.SelectGroup("G");
        EXPECT_EQ(file.ReadText("k", "default"), c.expected);
    }
}

TEST(SettingsFileWrite, AppendsMissingGroupsAndSerializesWithCrLf) {
    SettingsFile file = SettingsFile::Create();
    EXPECT_FALSE(file.anyKeyWritten());
    file.SelectGroup("Communication Setup");
    EXPECT_FALSE(file.anyKeyWritten());
    file.WriteInteger("Port", 1);
    file.WriteText("BaudRate", "9600");
    file.SelectGroup("DataLogger");
    file.WriteInteger("Interval", -20);
    file.SelectGroup("communication setup");
    file.WriteText("Extra", " raw value ");
    file.WriteInteger("port", 3);
    EXPECT_TRUE(file.anyKeyWritten());
    EXPECT_EQ(file.Serialize(),
              "[Communication Setup]\r\n"
              "Port = 3\r\n"
              "BaudRate = 9600\r\n"
              "Extra =  raw value \r\n"
              "[DataLogger]\r\n"
              "Interval = -20\r\n");
}

TEST(SettingsFileWrite, SelectingAMissingGroupAloneAddsNothing) {
    SettingsFile file = SettingsFile::Create();
    file.SelectGroup("Never");
    file.SelectGroup("Used");
    file.WriteInteger("k", 0);
    EXPECT_EQ(file.Serialize(), "[Used]\r\nk = 0\r\n");

    SettingsFile unselected = SettingsFile::Create();
    unselected.WriteText("k", "v");
    EXPECT_EQ(unselected.Serialize(), "");
}

TEST(SettingsFileWrite, ReadAfterWriteAndRoundTripKeepEveryEntry) {
    SettingsFile file =
        SettingsFile::Open("; hand-made\r\n[A]\r\nx = 1\r\n[B]\r\ny = 2\r\n[A]\r\nz = 3\r\n");
    file.SelectGroup("A");
    file.WriteText("w", "new");
    EXPECT_EQ(file.ReadText("w", ""), "new");
    file.SelectGroup("B");
    EXPECT_EQ(file.ReadInteger("y", 0), 2);

    const std::string text = file.Serialize();
    EXPECT_EQ(text, "; hand-made\r\n[A]\r\nx = 1\r\nw = new\r\n[B]\r\ny = 2\r\n[A]\r\nz = 3\r\n");
    EXPECT_EQ(SettingsFile::Open(text).entries(), file.entries());
}

}  // namespace
}  // namespace vexilor
