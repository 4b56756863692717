#include "settings_file.h"

#include "decimal_text.h"
#include "single_byte_text.h"

namespace vexilor {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::string_view SkipLeadingBlanks(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return text.substr(at);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

SettingsEntry ParseComment(std::string_view line) {
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return {EntryKind::Comment, std::string(text), {}};
}

SettingsEntry ParseGroupHeader(std::string_view line) {
    const std::string_view rest = line.substr(1);
    return {EntryKind::GroupHeader, std::string(rest.substr(0, rest.find(']'))), {}};
}

SettingsEntry ParseKey(std::string_view line) {
    const std::size_t equals = line.find('=');
    const std::string_view name = TrimTrailingBlanks(line.substr(0, equals));
    if (equals == std::string_view::npos) {
        return {EntryKind::Key, std::string(name), {}};
    }
    return {EntryKind::Key, std::string(name),
            std::string(SkipLeadingBlanks(line.substr(equals + 1)))};
}

SettingsEntry ParseLine(std::string_view rawLine) {
    const std::string_view line = SkipLeadingBlanks(rawLine);
    if (!line.empty() && line.front() == ';') {
        return ParseComment(line);
    }
    if (!line.empty() && line.front() == '[') {
        return ParseGroupHeader(line);
    }
    return ParseKey(line);
}

// Any run of CR and LF ends a line, so blank lines give no entry.
std::vector<SettingsEntry> ParseLines(std::string_view text) {
    std::vector<SettingsEntry> entries;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsLineEnd(text[at])) {
            ++at;
        }
        if (at == text.size()) {
            break;
        }
        std::size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) {
            ++end;
        }
        entries.push_back(ParseLine(text.substr(at, end - at)));
        at = end;
    }
    return entries;
}

void AppendLine(std::string& out, const SettingsEntry& entry) {
    switch (entry.kind) {
        case EntryKind::GroupHeader:
            out += '[';
            out += entry.name;
            out += ']';
            break;
        case EntryKind::Key:
            out += entry.name;
            out += " = ";
            out += entry.value;
            break;
        case EntryKind::Comment:
            out += "; ";
            out += entry.name;
            break;
    }
    out += "\r\n";
}

}  // namespace

SettingsFile SettingsFile::Open(std::string_view bytes) {
    SettingsFile file;
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
        file.encoding_ = TextEncoding::Utf8;
    }
    file.entries_ = ParseLines(bytes);
    return file;
}

SettingsFile SettingsFile::Create() {
    return SettingsFile{};
}

void SettingsFile::SelectGroup(std::string_view name) {
    currentGroup_.reset();
    pendingGroup_.reset();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const SettingsEntry& entry = entries_[i];
        if (entry.kind == EntryKind::GroupHeader && EqualsIgnoringAsciiCase(entry.name, name)) {
            currentGroup_ = i;
            return;
        }
    }
    pendingGroup_ = std::string(name);
}

std::size_t SettingsFile::GroupEnd() const {
    std::size_t end = *currentGroup_ + 1;
    while (end < entries_.size() && entries_[end].kind != EntryKind::GroupHeader) {
        ++end;
    }
    return end;
}

std::optional<std::size_t> SettingsFile::FindKey(std::string_view key) const {
    if (!currentGroup_) {
        return std::nullopt;
    }
    const std::size_t end = GroupEnd();
    for (std::size_t i = *currentGroup_ + 1; i < end; ++i) {
        const SettingsEntry& entry = entries_[i];
        if (entry.kind == EntryKind::Key && EqualsIgnoringAsciiCase(entry.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::int32_t SettingsFile::ReadInteger(std::string_view key, std::int32_t defaultValue) const {
    const std::optional<std::size_t> found = FindKey(key);
    return found ? ParseLeadingInteger(entries_[*found].value) : defaultValue;
}

std::string SettingsFile::ReadText(std::string_view key, std::string_view defaultValue) const {
    const std::optional<std::size_t> found = FindKey(key);
    if (!found) {
        return std::string(defaultValue);
    }
    const std::string_view trimmed = TrimTrailingBlanks(SkipLeadingBlanks(entries_[*found].value));
    return encoding_ == TextEncoding::Utf8 ? Utf8ToSingleByte(trimmed) : std::string(trimmed);
}

void SettingsFile::WriteInteger(std::string_view key, std::int32_t value) {
    WriteText(key, std::to_string(value));
}

bool SettingsFile::EnsureCurrentGroup() {
    if (currentGroup_) {
        return true;
    }
    if (!pendingGroup_) {
        return false;
    }
    entries_.push_back({EntryKind::GroupHeader, std::move(*pendingGroup_), {}});
    pendingGroup_.reset();
    currentGroup_ = entries_.size() - 1;
    return true;
}

void SettingsFile::WriteText(std::string_view key, std::string_view value) {
    // A key outside any group could never be read back, so it is not stored.
    if (!EnsureCurrentGroup()) {
        return;
    }
    anyKeyWritten_ = true;
    if (const std::optional<std::size_t> found = FindKey(key)) {
        entries_[*found].value = std::string(value);
        return;
    }
    const auto at = static_cast<std::ptrdiff_t>(GroupEnd());
    entries_.insert(entries_.begin() + at, {EntryKind::Key, std::string(key), std::string(value)});
}

std::string SettingsFile::Serialize() const {
    std::size_t size = 0;
    for (const SettingsEntry& entry : entries_) {
        size += entry.name.size() + entry.value.size() + 5;
    }
    std::string out;
    out.reserve(size);
    for (const SettingsEntry& entry : entries_) {
        AppendLine(out, entry);
    }
    return out;
}

}  // namespace vexilor
