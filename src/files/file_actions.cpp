#include "file_actions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "log_export.h"
#include "settings_store.h"

namespace vexilor {
namespace {

void ReportFailedSave(Dialogs& dialogs, const std::string& path, const SaveResult& result) {
    if (!result.ok) {
        dialogs.showError("Can't save " + path + ": " + result.error);
    }
}

std::vector<LogRow> ReadLogRows(const Controls& controls) {
    const int count = controls.rowCount(ControlId::LogTable);
    std::vector<LogRow> rows(static_cast<std::size_t>(std::max(count, 0)));
    for (int row = 0; row < count; ++row) {
        LogRow& cells = rows[static_cast<std::size_t>(row)];
        for (std::size_t column = 0; column < cells.size(); ++column) {
            cells[column] = controls.cellText(ControlId::LogTable, row, static_cast<int>(column));
        }
    }
    return rows;
}

}  // namespace

void LoadProg(Controls& controls, Dialogs& dialogs, LinkSettings& link, LoggingState& logging) {
    const std::string path = dialogs.chooseFile(std::string(LoadProgTitle));
    if (path.empty()) {
        return;
    }
    LoadSettings(path, controls, link, logging);
}

void SaveProg(const Controls& controls, Dialogs& dialogs, const LinkSettings& link,
              const LoggingState& logging) {
    const std::string path = dialogs.chooseFile(std::string(SaveProgTitle));
    if (path.empty()) {
        return;
    }
    ReportFailedSave(dialogs, path, SaveSettings(path, controls, link, logging));
}

void SaveTable(const Controls& controls, Dialogs& dialogs) {
    const std::string path = dialogs.chooseFile(std::string(SaveTableTitle));
    if (path.empty()) {
        return;
    }
    ReportFailedSave(dialogs, path, WriteFileBytes(path, BuildLogExport(ReadLogRows(controls))));
}

void ClearTable(Controls& controls) {
    const int count = controls.rowCount(ControlId::LogTable);
    if (count > 0) {
        controls.removeRows(ControlId::LogTable, 0, count);
    }
}

}  // namespace vexilor
