#pragma once
// The modal boxes and the file chooser the handlers use. The window supplies
// the real ones; tests supply scripted answers. Main thread only.

#include <string>

namespace vexilor {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // "Attention" box, warning icon, Yes and No: true only for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    // "Error" box, error icon, OK.
    virtual void showError(const std::string& text) = 0;
    // "Information" box, information icon, OK.
    virtual void showInformation(const std::string& text) = 0;
    // The system's modal file dialog with this title: the full path chosen,
    // or empty when cancelled.
    virtual std::string chooseFile(const std::string& title) = 0;
};

}  // namespace vexilor
