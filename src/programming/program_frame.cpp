#include "program_frame.h"

#include <algorithm>
#include <string_view>

#include "instrument_reply.h"
#include "pack_bcd.h"
#include "parameter_table.h"

namespace vexilor {
namespace {

struct CodeEntry {
    std::string_view row;
    std::uint8_t code;
};

constexpr std::array<CodeEntry, 3> FunctCodes = {{
    {"SPEED", 0x10},
    {"TOTAL", 0x20},
    {"SECON", 0x40},
}};

constexpr std::array<CodeEntry, 7> AdjtiCodes = {{
    {"0.1", 0x40},
    {"0.25", 0x50},
    {"0.5", 0x60},
    {"1", 0x00},
    {"2", 0x10},
    {"4", 0x20},
    {"8", 0x30},
}};

constexpr std::array<CodeEntry, 4> DecpCodes = {{
    {"0", 0x10},
    {"1", 0x20},
    {"2", 0x30},
    {"AUTO", 0x00},
}};

// Only called with a row that passed the check, so every lookup finds it.
template <std::size_t N>
std::uint8_t CodeOf(const std::array<CodeEntry, N>& codes, const std::string& row) {
    for (const CodeEntry& entry : codes) {
        if (entry.row == row) {
            return entry.code;
        }
    }
    return 0;
}

std::uint8_t Flag(const std::string& text, std::string_view setWhen, std::uint8_t bit) {
    return text == setWhen ? bit : std::uint8_t{0};
}

std::uint8_t AlarmFlags(const std::string& on, const std::string& low, const std::string& autoHold,
                        const std::string& open) {
    return static_cast<std::uint8_t>(Flag(on, "ON", 0x10) | Flag(low, "HIGH", 0x20) |
                                     Flag(autoHold, "HOLD", 0x40) | Flag(open, "CLOSE", 0x80));
}

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Acceptable(const ParameterField& field, const std::string& text) {
    if (field.kind == FieldKind::Digits) {
        return AllDigits(text);
    }
    const std::vector<std::string> rows = ListRows(field);
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

std::vector<std::string> RefusedParameters(const ParameterSet& set) {
    std::vector<std::string> refused;
    for (const ParameterField& field : ParameterFields) {
        const std::string name(ParameterName(field));
        const bool listed = std::find(refused.begin(), refused.end(), name) != refused.end();
        if (!listed && !Acceptable(field, set.*field.member)) {
            refused.push_back(name);
        }
    }
    return refused;
}

// Fills the frame front to back, in the order the bytes are sent.
class FrameWriter {
  public:
    void Byte(std::uint8_t value) { frame_[next_++] = value; }

    // A code byte and three zero bytes.
    void Code(std::uint8_t code) {
        Byte(code);
        Byte(0);
        Byte(0);
        Byte(0);
    }

    void Value4(const std::string& text) {
        for (const std::uint8_t b : PackBcd(text)) {
            Byte(b);
        }
    }

    // The last three bytes: only the last six of the eight digits.
    void Value3(const std::string& text) {
        const auto bytes = PackBcd(text);
        Byte(bytes[1]);
        Byte(bytes[2]);
        Byte(bytes[3]);
    }

    ProgramFrame Finish() {
        Byte(ProgramChecksum(frame_));
        return frame_;
    }

  private:
    ProgramFrame frame_{};
    std::size_t next_ = 0;
};

ProgramFrame WriteFrame(const ParameterSet& set, std::uint8_t address) {
    FrameWriter w;
    w.Byte(static_cast<std::uint8_t>(InstrumentCommand::Download));
    w.Byte(address);
    w.Code(CodeOf(FunctCodes, set.funct));
    w.Value4(set.pulre);
    w.Code(CodeOf(AdjtiCodes, set.adjti));
    w.Value4(set.ureal);
    w.Value4(set.udisp);
    w.Byte(AlarmFlags(set.al1On, set.al1Low, set.al1Auto, set.al1Open));
    w.Value3(set.al1Value);
    w.Byte(AlarmFlags(set.al2On, set.al2Low, set.al2Auto, set.al2Open));
    w.Value3(set.al2Value);
    w.Byte(static_cast<std::uint8_t>(Flag(set.analgOn, "ON", 0x10) |
                                     Flag(set.analgTens, "CURR", 0x20)));
    w.Value3(set.analgValue);
    w.Code(CodeOf(DecpCodes, set.decp));
    w.Byte(Flag(set.countUp, "DOWN", 0x10));
    w.Value3(set.countValue);
    w.Value4(set.prphn);
    w.Value4(set.baudr);
    return w.Finish();
}

}  // namespace

std::uint8_t ProgramChecksum(const ProgramFrame& frame) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
        sum ^= frame[i];
    }
    return sum;
}

ProgramFrameResult BuildProgramFrame(const ParameterSet& set, std::uint8_t address) {
    ProgramFrameResult result;
    result.refusedParameters = RefusedParameters(set);
    if (result.refusedParameters.empty()) {
        result.frame = WriteFrame(set, address);
    }
    return result;
}

}  // namespace vexilor
