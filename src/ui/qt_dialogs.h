#pragma once
// The modal message boxes and the file chooser, owned by the main window.

#include <QPointer>
#include <QWidget>

#include "dialogs.h"

namespace vexilor {

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    bool askYesNo(const std::string& text) override;
    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    std::string chooseFile(const std::string& title) override;

  private:
    QPointer<QWidget> owner_;
};

// The longest path the file chooser hands back; a longer one counts as a
// failed choice.
inline constexpr std::size_t MaxChosenPathLength = 259;

}  // namespace vexilor
