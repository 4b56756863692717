#pragma once
// Where a window of a given outer size goes to sit centred on a screen.

#include <QPoint>
#include <QSize>

namespace vexilor {

// Each coordinate is half the room left over, or 0 when the window does not
// fit that way.
inline QPoint CentredPosition(const QSize& screen, const QSize& window) {
    const int left = screen.width() > window.width() ? (screen.width() - window.width()) / 2 : 0;
    const int top = screen.height() > window.height() ? (screen.height() - window.height()) / 2 : 0;
    return {left, top};
}

}  // namespace vexilor
