#pragma once
// The actions of the Load Prog, Save Prog, Save Table and Clear Table
// buttons.

#include <string_view>

#include "controls.h"
#include "dialogs.h"
#include "link_settings.h"
#include "logging_state.h"

namespace vexilor {

inline constexpr std::string_view LoadProgTitle = "Please choose file to open the program";
inline constexpr std::string_view SaveProgTitle = "Please choose file to save the program";
inline constexpr std::string_view SaveTableTitle = "Please choose file to save data";

// Loads the chosen program file into the Programming tab; a cancelled
// chooser does nothing.
void LoadProg(Controls& controls, Dialogs& dialogs, LinkSettings& link, LoggingState& logging);

// Saves the Programming tab to the chosen file; a failed save shows an error
// with the path and the system's reason and leaves any old file whole.
void SaveProg(const Controls& controls, Dialogs& dialogs, const LinkSettings& link,
              const LoggingState& logging);

// Exports every row of the log table, newest first, to the chosen file.
void SaveTable(const Controls& controls, Dialogs& dialogs);

// Removes every row of the log table.
void ClearTable(Controls& controls);

}  // namespace vexilor
