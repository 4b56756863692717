#include "sim_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace vexilor {

namespace {

std::optional<std::int32_t> ParseInt(std::string_view text, std::int32_t low, std::int32_t high) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint8_t> ParsePresentBits(std::string_view text) {
    if (text == "0x20" || text == "20") {
        return std::uint8_t{0x20};
    }
    if (text == "0x40" || text == "40") {
        return std::uint8_t{0x40};
    }
    if (text == "0x60" || text == "60") {
        return std::uint8_t{0x60};
    }
    return std::nullopt;
}

// Walks the arguments; every option but the flags takes one value, given as
// "--name value" or "--name=value".
class OptionReader {
  public:
    explicit OptionReader(const std::vector<std::string>& args) : args_(args) {}

    std::variant<SimOptions, std::string> read() {
        while (index_ < args_.size()) {
            std::string arg = args_[index_++];
            std::optional<std::string> inlineValue;
            if (const auto equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
                inlineValue = arg.substr(equals + 1);
                arg.resize(equals);
            }
            if (!readOption(arg, inlineValue)) {
                return error_;
            }
        }
        return options_;
    }

  private:
    bool readOption(const std::string& name, const std::optional<std::string>& inlineValue) {
        if (name == "--help" || name == "-h") {
            options_.help = true;
            return true;
        }
        if (!name.starts_with("-")) {
            return fail("unexpected argument " + name);
        }
        if (name == "--bus" || name == "--single") {
            options_.model.bus = name == "--bus";
            return true;
        }
        if (!TakesValue(name)) {
            return fail("unknown option " + name);
        }
        const auto value = inlineValue ? inlineValue : nextValue();
        if (!value) {
            return fail(name + " needs a value");
        }
        return readValue(name, *value);
    }

    bool readValue(const std::string& name, const std::string& value) {
        ModelConfig& model = options_.model;
        if (name == "--address") {
            const auto address = ParseInt(value, 0, 250);
            model.address = static_cast<std::uint8_t>(address.value_or(0));
            return address || fail("--address takes 0 to 250");
        }
        if (name == "--mode") {
            model.mode = value == "ramp" ? ReadingMode::Ramp : ReadingMode::Counter;
            return value == "ramp" || value == "counter" || fail("--mode is counter or ramp");
        }
        if (name == "--step" || name == "--max" || name == "--al1" || name == "--al2") {
            return readReadingOption(name, value);
        }
        if (name == "--present") {
            const auto bits = ParsePresentBits(value);
            model.presentBits = bits.value_or(0x20);
            return bits || fail("--present is 0x20, 0x40 or 0x60");
        }
        if (name == "--baud") {
            const auto baud = ParseInt(value, 50, 4000000);
            options_.baud = baud.value_or(0);
            return baud || fail("--baud takes a rate from 50 up");
        }
        if (name == "--reply-delay-ms") {
            const auto delay = ParseInt(value, 0, 60000);
            options_.replyDelayMs = delay.value_or(0);
            return delay || fail("--reply-delay-ms takes 0 to 60000");
        }
        if (name == "--link" || name == "--control" || name == "--record") {
            std::string& path = name == "--link"      ? options_.linkPath
                                : name == "--control" ? options_.controlPath
                                                      : options_.recordPath;
            path = value;
            return !value.empty() || fail(name + " needs a path");
        }
        return fail("unknown option " + name);
    }

    static bool TakesValue(const std::string& name) {
        static constexpr std::array<std::string_view, 12> names = {
            "--address", "--mode", "--step",           "--max",  "--al1",     "--al2",
            "--present", "--baud", "--reply-delay-ms", "--link", "--control", "--record",
        };
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    bool readReadingOption(const std::string& name, const std::string& value) {
        const auto reading = ParseReading(value);
        if (!reading) {
            return fail(name + " takes a reading from 0 to 999999.99");
        }
        ModelConfig& model = options_.model;
        if (name == "--step") {
            model.step = *reading;
        } else if (name == "--max") {
            model.rampTop = *reading;
        } else {
            AlarmSetting& alarm = name == "--al1" ? model.al1 : model.al2;
            alarm = AlarmSetting{true, *reading};
        }
        return true;
    }

    std::optional<std::string> nextValue() {
        if (index_ >= args_.size()) {
            return std::nullopt;
        }
        return args_[index_++];
    }

    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    SimOptions options_;
    std::string error_;
};

}  // namespace

std::variant<SimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args) {
    auto result = OptionReader(args).read();
    if (auto* options = std::get_if<SimOptions>(&result)) {
        if (!options->model.bus && options->model.address != 1) {
            return std::string("--single answers at address 1 only");
        }
    }
    return result;
}

std::string SimUsage() {
    return "Usage: vexilor-sim [options]\n"
           "Simulates one Vexilor counter on a pseudo-terminal and prints the terminal's\n"
           "path as its first line.\n"
           "\n"
           "  --address N          bus address, 0 to 250 (default 1)\n"
           "  --bus | --single     bus model, which takes a new address from a download\n"
           "                       (default), or single-address model at address 1\n"
           "  --mode counter|ramp  counter counts up by the step each second (default);\n"
           "                       ramp climbs by the step to --max and falls back to 0\n"
           "  --step VALUE         change per second (default 1.00)\n"
           "  --max VALUE          top of the ramp (default 1000.00)\n"
           "  --al1 VALUE          AL1 on at and above VALUE (default off)\n"
           "  --al2 VALUE          AL2 on at and above VALUE (default off)\n"
           "  --present 0x20|0x40|0x60  presence bits of the status byte (default 0x20)\n"
           "  --baud N             send reply bytes at N baud (default: at once)\n"
           "  --reply-delay-ms N   wait N ms before the first reply byte (default 0)\n"
           "  --link PATH          keep a symbolic link PATH to the terminal\n"
           "  --control FIFO       also read commands from the named pipe FIFO\n"
           "  --record FILE        write every byte received and sent to FILE\n"
           "  --help               show this text\n"
           "\n"
           "Commands, one per line on stdin or the control FIFO, each answered with\n"
           "\"ok <command>\" once it has taken effect:\n"
           "  fault none|silent|checksum|short N|absent|noise\n"
           "  vanish               close the terminal, like an unplugged adapter\n"
           "  return               open a new terminal; prints \"path <terminal>\"\n"
           "  address N            answer at bus address N\n"
           "  reading VALUE        hold the live reading at VALUE\n"
           "  reading run          let the live reading change again\n"
           "  quit\n";
}

}  // namespace vexilor
