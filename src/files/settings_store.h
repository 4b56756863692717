#pragma once
// Saving and loading "preferences.pref" and program files: the values come
// from, and go back to, LinkSettings, the logging state and the controls.

#include <string>
#include <string_view>

#include "controls.h"
#include "file_bytes.h"
#include "link_settings.h"
#include "logging_state.h"

namespace vexilor {

// Only a file of exactly this name holds the Communication Setup and
// DataLogger groups; any other name, a full path included, holds the
// Program group alone.
inline constexpr std::string_view PreferencesFileName = "preferences.pref";

SaveResult SaveSettings(const std::string& fileName, const Controls& controls,
                        const LinkSettings& link, const LoggingState& logging);

// A missing or unreadable file gives every value its default. Values written
// into the controls raise no events, and which Programming controls are
// enabled stays as it was.
void LoadSettings(const std::string& fileName, Controls& controls, LinkSettings& link,
                  LoggingState& logging);

}  // namespace vexilor
