#pragma once
// The Controls operations carried out on the window's widgets, found by
// ControlId. An operation that does not fit a control's kind does nothing
// (or answers -1, 0, false or an empty text). Writing a value here emits
// none of the user-action signals the window turns into control events.

#include <QWidget>
#include <map>

#include "controls.h"

namespace vexilor {

class WidgetControls : public Controls {
  public:
    // The widget stays owned by its Qt parent.
    void add(ControlId id, QWidget* widget);
    QWidget* widget(ControlId id) const;

    int selectedRow(ControlId id) const override;
    void setSelectedRow(ControlId id, int row) override;
    std::string text(ControlId id) const override;
    void setText(ControlId id, const std::string& text) override;
    bool ticked(ControlId id) const override;
    void setTicked(ControlId id, bool ticked) override;
    void addRow(ControlId id, const std::string& row, int position = -1) override;
    void removeRows(ControlId id, int position, int count = 1) override;
    int rowCount(ControlId id) const override;
    std::string cellText(ControlId id, int row, int column) const override;
    void setEnabled(ControlId id, bool enabled) override;
    bool isEnabled(ControlId id) const override;
    void setVisible(ControlId id, bool visible) override;
    bool isVisibleFlag(ControlId id) const override;
    void showImage(ControlId id, const QImage& image) override;

  private:
    template <typename Widget>
    Widget* as(ControlId id) const {
        return qobject_cast<Widget*>(widget(id));
    }

    std::map<ControlId, QWidget*> widgets_;
};

}  // namespace vexilor
