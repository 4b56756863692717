#pragma once
// The operations every other subsystem uses on the window's controls,
// addressed by ControlId. A value written through this interface raises no
// control event; only user actions do. Main thread only.

#include <string>

#include "control_id.h"

class QImage;

namespace vexilor {

class Controls {
public:
    virtual ~Controls() = default;

    // Lists: 0-based row, -1 when none. A row outside the list selects none.
    virtual int selectedRow(ControlId id) const = 0;
    virtual void setSelectedRow(ControlId id, int row) = 0;
    // Lists give the selected row's text (empty when none); fields and labels
    // their text.
    virtual std::string text(ControlId id) const = 0;
    virtual void setText(ControlId id, const std::string& text) = 0;
    // Check box: true when ticked.
    virtual bool ticked(ControlId id) const = 0;
    virtual void setTicked(ControlId id, bool ticked) = 0;

    // Lists append a row; the table inserts a LogLine (fields separated by
    // line feeds) at position.
    virtual void addRow(ControlId id, const std::string& row, int position = -1) = 0;
    // Table: removes count rows from position.
    virtual void removeRows(ControlId id, int position, int count = 1) = 0;
    virtual int rowCount(ControlId id) const = 0;
    virtual std::string cellText(ControlId id, int row, int column) const = 0;

    virtual void setEnabled(ControlId id, bool enabled) = 0;
    virtual bool isEnabled(ControlId id) const = 0;
    virtual void setVisible(ControlId id, bool visible) = 0;
    // The control's own flag, whatever its tab page shows.
    virtual bool isVisibleFlag(ControlId id) const = 0;

    virtual void showImage(ControlId id, const QImage& image) = 0;
};

}  // namespace vexilor
