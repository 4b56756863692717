#pragma once
// A drop-down list that cannot be edited. Its closed size is fixed by the
// window's layout, which was drawn for short rows such as "COM1"; device
// paths can be longer. The open list is therefore as wide as its widest row,
// and a row that the closed list cuts short is also its tool tip.

#include <QComboBox>

namespace vexilor {

class ListControl : public QComboBox {
    Q_OBJECT

  public:
    explicit ListControl(QWidget* parent = nullptr);

    void showPopup() override;

  private:
    void showCutTextAsToolTip(const QString& text);
};

}  // namespace vexilor
