#include "settings_store.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "decimal_text.h"
#include "model_visibility.h"
#include "settings_file.h"
#include "settings_keys.h"

namespace vexilor {
namespace {

struct LoadedValue {
    const SettingKey* key = nullptr;
    std::int32_t integer = 0;
    std::string text;
};

bool IsPreferences(const std::string& fileName) {
    return fileName == PreferencesFileName;
}

// The keys a file of this name holds, in the order they are written.
std::vector<const SettingKey*> KeysFor(const std::string& fileName) {
    const bool preferences = IsPreferences(fileName);
    std::vector<const SettingKey*> keys;
    for (const SettingKey& key : SettingKeys) {
        if (preferences || key.group == ProgramGroup) {
            keys.push_back(&key);
        }
    }
    return keys;
}

// The Programming tab and the rate are saved as the text their control
// shows; the other values as the number the program holds.
bool SavedAsControlText(const SettingKey& key) {
    return key.home == ValueHome::Control || key.home == ValueHome::BaudRate;
}

std::int32_t HeldInteger(ValueHome home, const LinkSettings& link, const LoggingState& logging) {
    switch (home) {
        case ValueHome::PortPosition:
            return link.portPosition;
        case ValueHome::PeripheralNumber:
            return link.peripheralNumber;
        case ValueHome::ModelIndex:
            return link.modelIndex;
        case ValueHome::LogInterval:
            return logging.logInterval.load();
        case ValueHome::MaxRecords:
            return logging.maxRecords.load();
        case ValueHome::BaudRate:
        case ValueHome::Control:
            break;
    }
    return 0;
}

// Stores a loaded integer where the program holds it and gives back the
// value as held (ModelIndex keeps only its low 8 bits).
std::int32_t StoreInteger(ValueHome home, std::int32_t value, LinkSettings& link,
                          LoggingState& logging) {
    switch (home) {
        case ValueHome::PortPosition:
            link.portPosition = value;
            break;
        case ValueHome::PeripheralNumber:
            link.peripheralNumber = value;
            break;
        case ValueHome::ModelIndex:
            link.modelIndex = static_cast<std::uint8_t>(value & 0xFF);
            return link.modelIndex;
        case ValueHome::LogInterval:
            logging.logInterval.store(value);
            break;
        case ValueHome::MaxRecords:
            logging.maxRecords.store(value);
            break;
        case ValueHome::BaudRate:
        case ValueHome::Control:
            break;
    }
    return value;
}

std::optional<int> RowOfText(std::span<const std::string_view> rows, std::string_view text) {
    const auto found = std::find(rows.begin(), rows.end(), text);
    if (found == rows.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - rows.begin());
}

// Positions below the first row, however far, select no row.
int RowAtPosition(std::int32_t value, std::int32_t firstPosition) {
    const std::int64_t row = std::int64_t{value} - firstPosition;
    return row < 0 ? -1 : static_cast<int>(row);
}

std::vector<LoadedValue> ReadValues(SettingsFile& file,
                                    const std::vector<const SettingKey*>& keys) {
    std::vector<LoadedValue> values;
    values.reserve(keys.size());
    std::string_view group;
    for (const SettingKey* key : keys) {
        if (key->group != group) {
            group = key->group;
            file.SelectGroup(group);
        }
        LoadedValue value{key, 0, {}};
        if (key->kind == ValueKind::Integer) {
            value.integer = file.ReadInteger(key->key, key->defaultInteger);
        } else {
            value.text = file.ReadText(key->key, key->defaultText);
        }
        values.push_back(std::move(value));
    }
    return values;
}

void GiveText(const LoadedValue& value, Controls& controls, LinkSettings& link) {
    const SettingKey& key = *value.key;
    const std::optional<int> row = RowOfText(key.rows, value.text);
    // A text that no row holds leaves the list, and the rate, as they were.
    if (!row) {
        return;
    }
    controls.setSelectedRow(key.control, *row);
    if (key.home == ValueHome::BaudRate) {
        link.baudRate = ParseLeadingInteger(key.rows[static_cast<std::size_t>(*row)]);
    }
}

void GiveInteger(const LoadedValue& value, Controls& controls, LinkSettings& link,
                 LoggingState& logging) {
    const SettingKey& key = *value.key;
    const std::int32_t held = StoreInteger(key.home, value.integer, link, logging);
    if (key.display == Display::FieldText) {
        controls.setText(key.control, std::to_string(held));
    } else {
        controls.setSelectedRow(key.control, RowAtPosition(held, key.firstPosition));
    }
}

}  // namespace

SaveResult SaveSettings(const std::string& fileName, const Controls& controls,
                        const LinkSettings& link, const LoggingState& logging) {
    SettingsFile file = SettingsFile::Create();
    std::string_view group;
    for (const SettingKey* key : KeysFor(fileName)) {
        if (key->group != group) {
            group = key->group;
            file.SelectGroup(group);
        }
        if (SavedAsControlText(*key)) {
            file.WriteText(key->key, controls.text(key->control));
        } else {
            file.WriteInteger(key->key, HeldInteger(key->home, link, logging));
        }
    }
    return WriteFileBytes(fileName, file.Serialize());
}

void LoadSettings(const std::string& fileName, Controls& controls, LinkSettings& link,
                  LoggingState& logging) {
    SettingsFile file = SettingsFile::Open(ReadFileBytes(fileName));
    for (const LoadedValue& value : ReadValues(file, KeysFor(fileName))) {
        if (value.key->kind == ValueKind::Integer) {
            GiveInteger(value, controls, link, logging);
        } else {
            GiveText(value, controls, link);
        }
    }
    ApplyModelVisibility(controls, link.modelIndex);
}

}  // namespace vexilor
