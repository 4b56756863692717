#include "display_image.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace vexilor {
namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Lit = qRgb(255, 0, 0);
constexpr QRgb Unlit = qRgb(40, 0, 0);

// Rows above the lamps hold only the labels' text.
constexpr int LabelRowsEnd = 30;

InstrumentReply MakeReply(std::uint8_t status, std::array<std::uint8_t, 4> digits) {
    InstrumentReply reply;
    reply.bytes = {status, digits[0], digits[1], digits[2], digits[3], 0};
    reply.bytes[5] = ReplyChecksum(reply);
    return reply;
}

bool IsGrey(QRgb pixel) {
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

void FillBox(QImage& image, int left, int top, int width, int height, QRgb colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            image.setPixel(x, y, colour);
        }
    }
}

void FillDisc(QImage& image, int cx, int cy, int r, QRgb colour) {
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            if (dx * dx + dy * dy <= r * r) {
                image.setPixel(cx + dx, cy + dy, colour);
            }
        }
    }
}

// Segments in the order top, middle, bottom, upper right, lower right,
// upper left, lower left; '1' is lit.
const std::array<const char*, 10> DigitSegments = {
    "1011111", "0001100", "1111001", "1111100", "0101110",
    "1110110", "1110111", "1001100", "1111111", "1111110",
};

struct Box {
    int left;
    int top;
    int width;
    int height;
};

std::array<Box, 7> SegmentBoxes(int position) {
    const int x = 40 * position + 23;
    const int y = 70;
    return {{
        {x, y, 20, 3},
        {x, y + 23, 20, 3},
        {x, y + 46, 20, 3},
        {x + 20, y + 3, 3, 20},
        {x + 20, y + 26, 3, 20},
        {x - 3, y + 3, 3, 20},
        {x - 3, y + 26, 3, 20},
    }};
}

constexpr int Blank = -1;

struct ReadingCase {
    const char* name;
    std::uint8_t status;
    std::array<std::uint8_t, 4> digitBytes;
    std::array<int, 8> digits;  // left to right; Blank for an empty cell
    std::array<bool, 3> lamps;  // AL1, AL2, HOLD
};

const std::vector<ReadingCase> ReadingCases = {
    {"digits 0 to 7",
     0x20,
     {0x01, 0x23, 0x45, 0x67},
     {0, 1, 2, 3, 4, 5, 6, 7},
     {false, false, false}},
    {"leading one",
     0x21,
     {0x01, 0x23, 0x45, 0x67},
     {1, 1, 2, 3, 4, 5, 6, 7},
     {false, false, false}},
    {"high nibble of byte 1",
     0x20,
     {0x90, 0x23, 0x45, 0x67},
     {9, 0, 2, 3, 4, 5, 6, 7},
     {false, false, false}},
    {"leading one over a nibble above 9",
     0x25,
     {0xF1, 0x23, 0x45, 0x67},
     {1, 1, 2, 3, 4, 5, 6, 7},
     {true, false, false}},
    {"nibbles above 9",
     0x20,
     {0x0A, 0xB3, 0x4C, 0xDF},
     {0, Blank, Blank, 3, 4, Blank, Blank, Blank},
     {false, false, false}},
    {"all lamps", 0x3C, {0x98, 0x76, 0x54, 0x32}, {9, 8, 7, 6, 5, 4, 3, 2}, {true, true, true}},
    {"AL2 only", 0x28, {0x00, 0x00, 0x00, 0x00}, {0, 0, 0, 0, 0, 0, 0, 0}, {false, true, false}},
    {"HOLD only", 0x30, {0x11, 0x11, 0x11, 0x11}, {1, 1, 1, 1, 1, 1, 1, 1}, {false, false, true}},
};

// What the picture holds below the labels for a case.
QImage ExpectedLampsAndDigits(const ReadingCase& c) {
    QImage image(DisplayImage::Width, DisplayImage::Height, QImage::Format_RGB888);
    image.fill(Black);
    const std::array<int, 3> lampX = {116, 183, 253};
    for (std::size_t i = 0; i < lampX.size(); ++i) {
        FillDisc(image, lampX[i], 40, 10, c.lamps[i] ? Lit : Unlit);
    }
    for (int position = 0; position < 8; ++position) {
        const int digit = c.digits[static_cast<std::size_t>(position)];
        if (digit != Blank) {
            const auto boxes = SegmentBoxes(position);
            for (std::size_t s = 0; s < boxes.size(); ++s) {
                const Box& b = boxes[s];
                const bool lit = DigitSegments[static_cast<std::size_t>(digit)][s] == '1';
                FillBox(image, b.left, b.top, b.width, b.height, lit ? Lit : Unlit);
            }
        }
        FillDisc(image, 40 * position + 53, 119, 3, position == 5 ? Lit : Unlit);
    }
    return image;
}

// The bounding box of the pixels that are not black.
struct InkBox {
    int left = DisplayImage::Width;
    int top = DisplayImage::Height;
    int right = -1;
    int bottom = -1;
    bool empty() const { return right < 0; }
};

InkBox FindInk(const QImage& image, int left, int top, int right, int bottom) {
    InkBox ink;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (image.pixel(x, y) != Black) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

bool AllBlack(const QImage& image) {
    return FindInk(image, 0, 0, image.width(), image.height()).empty();
}

TEST(DisplayImageTest, StartsBlackAt350By150In24BitColour) {
    const DisplayImage display;
    const QImage image = display.snapshot();
    EXPECT_EQ(image.width(), 350);
    EXPECT_EQ(image.height(), 150);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_TRUE(AllBlack(image));
}

TEST(DisplayImageTest, DrawsLampsAndDigitsPixelForPixel) {
    for (const ReadingCase& c : ReadingCases) {
        SCOPED_TRACE(c.name);
        DisplayImage display;
        display.DrawReading(MakeReply(0x3C, {0x88, 0x88, 0x88, 0x88}), "");
        display.DrawReading(MakeReply(c.status, c.digitBytes), "");
        const QImage actual = display.snapshot();
        const QImage expected = ExpectedLampsAndDigits(c);
        for (int y = LabelRowsEnd; y < DisplayImage::Height; ++y) {
            for (int x = 0; x < DisplayImage::Width; ++x) {
                if (actual.pixel(x, y) != expected.pixel(x, y)) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                                  << actual.pixel(x, y) << ", expected " << expected.pixel(x, y);
                    return;
                }
            }
        }
    }
}

TEST(DisplayImageTest, LabelsAreTextAboveTheirLamps) {
    DisplayImage display;
    display.DrawReading(MakeReply(0x3C, {0x12, 0x34, 0x56, 0x78}), "");
    const QImage image = display.snapshot();
    for (int y = 0; y < LabelRowsEnd; ++y) {
        for (int x = 0; x < DisplayImage::Width; ++x) {
            ASSERT_TRUE(IsGrey(image.pixel(x, y))) << "(" << x << ", " << y << ")";
        }
    }
    struct Label {
        const char* text;
        int x;
        int nextX;  // where the next label begins
    };
    const std::array<Label, 3> labels = {
        {{"AL1", 105, 171}, {"AL2", 171, 241}, {"HOLD", 241, 350}}};
    EXPECT_TRUE(FindInk(image, 0, 0, 105, LabelRowsEnd).empty());
    EXPECT_TRUE(FindInk(image, 0, 0, DisplayImage::Width, 10).empty());
    for (const Label& label : labels) {
        SCOPED_TRACE(label.text);
        const InkBox ink = FindInk(image, label.x, 0, label.nextX, LabelRowsEnd);
        ASSERT_FALSE(ink.empty());
        // The text's top-left corner is at (x, 10): the glyphs start there,
        // not above it.
        EXPECT_LE(ink.left, label.x + 3);
        EXPECT_LE(ink.top, 10 + 6);
    }
}

TEST(DisplayImageTest, LinkErrorShowsOnlyItsText) {
    const std::array<std::string, 3> errors = {
        "No vexilor connected", "Incorrect CheckSum on response", "Can't open /dev/ttyUSB0"};
    for (const std::string& error : errors) {
        SCOPED_TRACE(error);
        DisplayImage display;
        const InstrumentReply reply = MakeReply(0x3D, {0x88, 0x88, 0x88, 0x88});
        display.DrawReading(reply, "");
        display.DrawReading(reply, error);
        const QImage image = display.snapshot();
        for (int y = 0; y < DisplayImage::Height; ++y) {
            for (int x = 0; x < DisplayImage::Width; ++x) {
                ASSERT_TRUE(IsGrey(image.pixel(x, y))) << "(" << x << ", " << y << ")";
            }
        }
        const InkBox ink = FindInk(image, 0, 0, DisplayImage::Width, DisplayImage::Height);
        ASSERT_FALSE(ink.empty());
        EXPECT_GE(ink.left, 40);
        EXPECT_LE(ink.left, 40 + 3);
        EXPECT_GE(ink.top, 50);
        EXPECT_LE(ink.top, 50 + 6);
        // One line of text, clear of where the digits would be.
        EXPECT_LT(ink.bottom, 70);
    }
}

TEST(DisplayImageTest, ClearDisplayLeavesEverythingBlack) {
    const std::array<std::string, 2> errors = {"", "No vexilor connected"};
    for (const std::string& error : errors) {
        SCOPED_TRACE(error);
        DisplayImage display;
        display.DrawReading(MakeReply(0x3D, {0x88, 0x88, 0x88, 0x88}), error);
        ASSERT_FALSE(AllBlack(display.snapshot()));
        display.ClearDisplay();
        EXPECT_TRUE(AllBlack(display.snapshot()));
    }
}

// The worker draws while the main thread clears and takes snapshots: every
// snapshot is black or one whole picture, never a mix.
TEST(DisplayImageTest, SnapshotsDuringConcurrentDrawingAreWholePictures) {
    struct Drawing {
        InstrumentReply reply;
        std::string error;
    };
    const std::array<Drawing, 3> drawings = {{
        {MakeReply(0x3C, {0x98, 0x76, 0x54, 0x32}), ""},
        {MakeReply(0x21, {0x01, 0x23, 0x45, 0x67}), ""},
        {MakeReply(0x20, {0x00, 0x00, 0x00, 0x00}), "No vexilor connected"},
    }};
    std::vector<QImage> wholePictures;
    for (const Drawing& drawing : drawings) {
        DisplayImage reference;
        reference.DrawReading(drawing.reply, drawing.error);
        wholePictures.push_back(reference.snapshot());
    }
    wholePictures.push_back(DisplayImage().snapshot());

    DisplayImage display;
    std::atomic<bool> stop{false};
    std::thread drawer([&display, &stop, drawings] {
        for (std::size_t i = 0; !stop.load(); i = (i + 1) % drawings.size()) {
            display.DrawReading(drawings[i].reply, drawings[i].error);
        }
    });
    for (int round = 0; round < 300; ++round) {
        if (round % 3 == 0) {
            display.ClearDisplay();
        }
        const QImage shot = display.snapshot();
        const bool whole =
            std::find(wholePictures.begin(), wholePictures.end(), shot) != wholePictures.end();
        if (!whole) {
            ADD_FAILURE() << "snapshot " << round << " is a mixed picture";
            break;
        }
    }
    stop.store(true);
    drawer.join();
}

}  // namespace
}  // namespace vexilor
