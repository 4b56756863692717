// Feeds arbitrary bytes to the settings parser, looks keys up in what it
// read, and checks that writing the entries out and reading them back gives
// the same entries.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log_export.h"
#include "settings_file.h"
#include "single_byte_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kGroups[] = {"Communication Setup", "DataLogger", "Program"};
constexpr std::string_view kKeys[] = {"Port", "BaudRate", "Model", "Interval", "Funct", "Pulre"};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void LookUp(vexilor::SettingsFile& file, std::string_view group) {
    file.SelectGroup(group);
    for (const std::string_view key : kKeys) {
        static_cast<void>(file.ReadInteger(key, 1));
        static_cast<void>(file.ReadText(key, "default"));
    }
}

void LookUpNamesOfTheFile(vexilor::SettingsFile& file) {
    const auto entries = file.entries();
    for (const vexilor::SettingsEntry& entry : entries) {
        if (entry.kind == vexilor::EntryKind::GroupHeader) {
            file.SelectGroup(entry.name);
        } else if (entry.kind == vexilor::EntryKind::Key) {
            static_cast<void>(file.ReadInteger(entry.name, 0));
            static_cast<void>(file.ReadText(entry.name, ""));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexilor::SettingsFile file = vexilor::SettingsFile::Open(bytes);

    for (const std::string_view group : kGroups) {
        LookUp(file, group);
    }
    LookUpNamesOfTheFile(file);

    // No byte-order mark is written, but a single-byte file may begin with
    // those three bytes as text; a second mark keeps them text on rereading.
    const std::string text = file.Serialize();
    const bool startsLikeAMark = text.starts_with(kByteOrderMark);
    const vexilor::SettingsFile reread =
        vexilor::SettingsFile::Open(startsLikeAMark ? std::string(kByteOrderMark) + text : text);
    Require(reread.entries() == file.entries());
    Require(reread.Serialize() == text);

    // A write lands in the selected group and reads back unchanged.
    file.SelectGroup("Program");
    file.WriteText("Fuzz_Key", "value");
    Require(file.ReadText("fuzz_key", "") == "value");
    Require(file.anyKeyWritten());

    Require(vexilor::Utf8ToSingleByte(bytes).size() <= bytes.size());
    Require(vexilor::FitToWidth(bytes, 25).size() == 25);
    return 0;
}
