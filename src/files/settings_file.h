#pragma once
// SettingsFile: one settings or program file in memory, as the ordered list
// of its group headers, keys and comments, with the lookups and writes that
// address the current group. It works on the file's bytes; reading the file
// from disk and writing it back is left to the caller, so the syntax is the
// same whatever does the I/O.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexilor {

enum class EntryKind { GroupHeader, Key, Comment };

struct SettingsEntry {
    EntryKind kind = EntryKind::Key;
    // The group's or the key's name; the text of a comment.
    std::string name;
    // The key's value; empty for headers and comments.
    std::string value;

    bool operator==(const SettingsEntry&) const = default;
};

// A file that began with the UTF-8 byte-order mark is read as UTF-8.
enum class TextEncoding { SingleByte, Utf8 };

class SettingsFile {
  public:
    // The entries of a file's whole content (Open). Empty bytes, as read from
    // a missing file, give an empty list, so every read gives its default.
    static SettingsFile Open(std::string_view bytes);
    // An empty list to be filled and written (Create).
    static SettingsFile Create();

    // Makes the first header of that name current. Without one, reads give
    // their defaults and the first write appends the header and makes it
    // current.
    void SelectGroup(std::string_view name);

    std::int32_t ReadInteger(std::string_view key, std::int32_t defaultValue) const;
    // Trimmed of spaces and tabs and converted to single-byte text; the
    // default comes back unchanged.
    std::string ReadText(std::string_view key, std::string_view defaultValue) const;

    void WriteInteger(std::string_view key, std::int32_t value);
    // Stores the text unchanged: an existing key of the current group gets the
    // new value, any other key goes after the group's last entry.
    void WriteText(std::string_view key, std::string_view value);

    // Close writes the file only when this is true.
    bool anyKeyWritten() const { return anyKeyWritten_; }
    TextEncoding encoding() const { return encoding_; }
    const std::vector<SettingsEntry>& entries() const { return entries_; }

    // The file's text: one line per entry, each ending in CR LF.
    std::string Serialize() const;

  private:
    SettingsFile() = default;

    // The first key of that name in the current group.
    std::optional<std::size_t> FindKey(std::string_view key) const;
    // The index just past the current group's last entry.
    std::size_t GroupEnd() const;
    // Turns a selected group that is not in the list yet into a header at the
    // end; false when no group was selected at all.
    bool EnsureCurrentGroup();

    std::vector<SettingsEntry> entries_;
    std::optional<std::size_t> currentGroup_;
    std::optional<std::string> pendingGroup_;
    bool anyKeyWritten_ = false;
    TextEncoding encoding_ = TextEncoding::SingleByte;
};

}  // namespace vexilor
