#include "display_image.h"

#include <array>
#include <cstddef>

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

namespace vexilor {
namespace {

const QColor BackgroundColour(0, 0, 0);
const QColor TextColour(255, 255, 255);
const QColor LitColour(255, 0, 0);
const QColor UnlitColour(40, 0, 0);

constexpr int LampRadius = 10;
constexpr int PointRadius = 3;

struct Lamp {
    const char* label;
    QPoint labelAt;
    QPoint centre;
    std::uint8_t statusBit;
};

const std::array<Lamp, 3> Lamps = {{
    {"AL1", {105, 10}, {116, 40}, StatusAl1},
    {"AL2", {171, 10}, {183, 40}, StatusAl2},
    {"HOLD", {241, 10}, {253, 40}, StatusHold},
}};

const QPoint ErrorTextAt(40, 50);

// A segment box relative to the cell's reference point.
struct SegmentBox {
    int left;
    int top;
    int width;
    int height;
};

constexpr std::size_t SegmentCount = 7;

constexpr std::array<SegmentBox, SegmentCount> SegmentBoxes = {{
    {0, 0, 20, 3},    // top
    {0, 23, 20, 3},   // middle
    {0, 46, 20, 3},   // bottom
    {20, 3, 3, 20},   // upper right
    {20, 26, 3, 20},  // lower right
    {-3, 3, 3, 20},   // upper left
    {-3, 26, 3, 20},  // lower left
}};

// Which segments a digit lights, in the order of SegmentBoxes.
constexpr std::array<std::array<bool, SegmentCount>, 10> LitSegments = {{
    // top  middle bottom up-rt  lo-rt  up-lt  lo-lt
    {{true, false, true, true, true, true, true}},      // 0
    {{false, false, false, true, true, false, false}},  // 1
    {{true, true, true, true, false, false, true}},     // 2
    {{true, true, true, true, true, false, false}},     // 3
    {{false, true, false, true, true, true, false}},    // 4
    {{true, true, true, false, true, true, false}},     // 5
    {{true, true, true, false, true, true, true}},      // 6
    {{true, false, false, true, true, false, false}},   // 7
    {{true, true, true, true, true, true, true}},       // 8
    {{true, true, true, true, true, true, false}},      // 9
}};

const QColor& LampColour(bool lit) {
    return lit ? LitColour : UnlitColour;
}

// Covers columns left..left+width-1 and rows top..top+height-1.
void FillBox(QPainter& painter, int left, int top, int width, int height, const QColor& colour) {
    painter.fillRect(QRect(left, top, width, height), colour);
}

// Every pixel whose offset from the centre satisfies dx*dx + dy*dy <= r*r,
// drawn row by row so the disc is the same on every platform.
void FillCircle(QPainter& painter, QPoint centre, int radius, const QColor& colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        int halfWidth = 0;
        while ((halfWidth + 1) * (halfWidth + 1) + dy * dy <= radius * radius) {
            ++halfWidth;
        }
        FillBox(painter, centre.x() - halfWidth, centre.y() + dy, 2 * halfWidth + 1, 1, colour);
    }
}

// The text's top-left corner at topLeft; only the glyphs are painted.
void DrawText(QPainter& painter, QPoint topLeft, const std::string& text) {
    const QFontMetrics metrics(painter.font());
    painter.setPen(TextColour);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()),
                     QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

// value 0 to 15; 10 to 15 leave the cell blank but for its decimal point.
void DrawDigit(QPainter& painter, int value, bool point, int position) {
    const int x = 40 * position + 23;
    const int y = 70;
    if (value >= 0 && value <= 9) {
        const auto& lit = LitSegments[static_cast<std::size_t>(value)];
        for (std::size_t s = 0; s < SegmentCount; ++s) {
            const SegmentBox& box = SegmentBoxes[s];
            FillBox(painter, x + box.left, y + box.top, box.width, box.height, LampColour(lit[s]));
        }
    }
    FillCircle(painter, QPoint(x + 30, y + 49), PointRadius, LampColour(point));
}

int HighNibble(std::uint8_t byte) {
    return byte >> 4;
}
int LowNibble(std::uint8_t byte) {
    return byte & 0x0F;
}

void DrawLamps(QPainter& painter, std::uint8_t statusByte) {
    for (const Lamp& lamp : Lamps) {
        DrawText(painter, lamp.labelAt, lamp.label);
        FillCircle(painter, lamp.centre, LampRadius,
                   LampColour((statusByte & lamp.statusBit) != 0));
    }
}

// From the rightmost digit to the leftmost; the point after position 5 is
// the only lit one.
void DrawDigits(QPainter& painter, const InstrumentReply& reply) {
    const int leading =
        (reply.statusByte() & StatusLeadingOne) != 0 ? 1 : HighNibble(reply.digitByte(1));
    DrawDigit(painter, LowNibble(reply.digitByte(4)), false, 7);
    DrawDigit(painter, HighNibble(reply.digitByte(4)), false, 6);
    DrawDigit(painter, LowNibble(reply.digitByte(3)), true, 5);
    DrawDigit(painter, HighNibble(reply.digitByte(3)), false, 4);
    DrawDigit(painter, LowNibble(reply.digitByte(2)), false, 3);
    DrawDigit(painter, HighNibble(reply.digitByte(2)), false, 2);
    DrawDigit(painter, LowNibble(reply.digitByte(1)), false, 1);
    DrawDigit(painter, leading, false, 0);
}

QFont DisplayFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(9);
    // Crisp glyphs, as the stock bitmap font draws them.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

DisplayImage::DisplayImage() : image_(Width, Height, QImage::Format_RGB888), font_(DisplayFont()) {
    image_.fill(BackgroundColour);
}

void DisplayImage::DrawReading(const InstrumentReply& reply, const std::string& linkError) {
    std::lock_guard lock(mutex_);
    QPainter painter(&image_);
    if (!painter.isActive()) {
        return;
    }
    painter.setFont(font_);
    FillBox(painter, 0, 0, Width, Height, BackgroundColour);
    if (!linkError.empty()) {
        DrawText(painter, ErrorTextAt, linkError);
        return;
    }
    DrawLamps(painter, reply.statusByte());
    DrawDigits(painter, reply);
}

void DisplayImage::ClearDisplay() {
    std::lock_guard lock(mutex_);
    image_.fill(BackgroundColour);
}

QImage DisplayImage::snapshot() const {
    std::lock_guard lock(mutex_);
    return image_.copy();
}

}  // namespace vexilor
