#include "fault.h"

#include <array>
#include <utility>

namespace vexilor {

namespace {

constexpr std::array<std::pair<std::string_view, FaultKind>, 5> PlainFaults{{
    {"none", FaultKind::None},
    {"silent", FaultKind::Silent},
    {"checksum", FaultKind::Checksum},
    {"absent", FaultKind::Absent},
    {"noise", FaultKind::Noise},
}};

constexpr std::string_view ShortPrefix = "short ";

std::optional<int> ParseShortLength(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + ReplyLength) {
        return std::nullopt;
    }
    return text[0] - '0';
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text) {
    for (const auto& [name, kind] : PlainFaults) {
        if (text == name) {
            return Fault{kind, 0};
        }
    }
    if (text.starts_with(ShortPrefix)) {
        if (const auto length = ParseShortLength(text.substr(ShortPrefix.size()))) {
            return Fault{FaultKind::Short, *length};
        }
    }
    return std::nullopt;
}

std::string FaultText(const Fault& fault) {
    if (fault.kind == FaultKind::Short) {
        return std::string(ShortPrefix) + std::to_string(fault.shortLength);
    }
    for (const auto& [name, kind] : PlainFaults) {
        if (kind == fault.kind) {
            return std::string(name);
        }
    }
    return "none";
}

std::vector<std::uint8_t> FaultyReplyBytes(const InstrumentReply& reply, const Fault& fault) {
    InstrumentReply sent = reply;
    switch (fault.kind) {
        case FaultKind::Silent:
            return {};
        case FaultKind::Checksum:
            sent.bytes[5] = static_cast<std::uint8_t>(ReplyChecksum(sent) ^ 0xFF);
            break;
        case FaultKind::Absent:
            sent.bytes[0] = static_cast<std::uint8_t>(sent.bytes[0] & ~StatusPresentMask);
            sent.bytes[5] = ReplyChecksum(sent);
            break;
        case FaultKind::Short:
            return {sent.bytes.begin(), sent.bytes.begin() + fault.shortLength};
        case FaultKind::None:
        case FaultKind::Noise:
            break;
    }
    return {sent.bytes.begin(), sent.bytes.end()};
}

}  // namespace vexilor
