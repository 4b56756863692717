#include "control_command.h"

#include <charconv>
#include <vector>

namespace vexilor {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = line.find_first_of(" \t\r", start);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > start) {
            words.push_back(line.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return words;
}

std::string Join(const std::vector<std::string_view>& words) {
    std::string text;
    for (const auto word : words) {
        if (!text.empty()) {
            text += ' ';
        }
        text += word;
    }
    return text;
}

ParsedCommand ParseAddress(std::string_view word, ControlCommand command) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || value > 250) {
        return CommandError{command.text, "the address is a number from 0 to 250"};
    }
    command.kind = CommandKind::SetAddress;
    command.address = static_cast<std::uint8_t>(value);
    return command;
}

ParsedCommand ParseReadingCommand(std::string_view word, ControlCommand command) {
    if (word == "run") {
        command.kind = CommandKind::FreeReading;
        return command;
    }
    const auto reading = ParseReading(word);
    if (!reading) {
        return CommandError{command.text, "the reading is 0 to 999999.99, or run"};
    }
    command.kind = CommandKind::FixReading;
    command.reading = *reading;
    return command;
}

ParsedCommand ParseFaultCommand(std::string_view rest, ControlCommand command) {
    const auto fault = ParseFault(rest);
    if (!fault) {
        return CommandError{command.text,
                            "the fault is none, silent, checksum, short N (0 to 5), absent or "
                            "noise"};
    }
    command.kind = CommandKind::SetFault;
    command.fault = *fault;
    return command;
}

}  // namespace

ParsedCommand ParseControlCommand(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) {
        return CommandError{};
    }
    ControlCommand command;
    command.text = Join(words);
    const std::string_view name = words[0];
    if (words.size() == 1) {
        if (name == "vanish") {
            command.kind = CommandKind::Vanish;
            return command;
        }
        if (name == "return") {
            command.kind = CommandKind::Return;
            return command;
        }
        if (name == "quit") {
            command.kind = CommandKind::Quit;
            return command;
        }
    }
    if (name == "fault" && words.size() >= 2) {
        return ParseFaultCommand(std::string_view(command.text).substr(name.size() + 1), command);
    }
    if (name == "address" && words.size() == 2) {
        return ParseAddress(words[1], command);
    }
    if (name == "reading" && words.size() == 2) {
        return ParseReadingCommand(words[1], command);
    }
    return CommandError{command.text,
                        "unknown command; try fault, vanish, return, address, reading or quit"};
}

}  // namespace vexilor
