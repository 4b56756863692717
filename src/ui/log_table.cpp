#include "log_table.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <array>

namespace vexilor {
namespace {

constexpr std::array<int, LogTableModel::ColumnCount> ColumnWidths = {126, 80, 60, 60};

}  // namespace

int LogTable::initialColumnWidth(int column) {
    if (column < 0 || column >= LogTableModel::ColumnCount) {
        return 0;
    }
    return ColumnWidths[static_cast<std::size_t>(column)];
}

LogTable::LogTable(QWidget* parent) : QTableView(parent), model_(new LogTableModel(this)) {
    setModel(model_);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table like any other control instead of walking cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    // The grid is painted by paintGrid so that it also covers the empty area.
    setShowGrid(false);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    // Every row has the same height, so a long table needs no per-row layout.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsMovable(true);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < LogTableModel::ColumnCount; ++column) {
        columns->resizeSection(column, initialColumnWidth(column));
    }
}

void LogTable::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    paintGrid(event->rect());
}

void LogTable::paintGrid(const QRect& area) {
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(viewport());
    painter.setClipRect(area);
    const QColor colour = palette().color(QPalette::Button);

    // A line under every row position, existing rows or not.
    const int rowHeight = verticalHeader()->defaultSectionSize();
    const int offset = verticalOffset();
    const int firstPosition = (area.top() + offset) / rowHeight;
    const int lastPosition = (area.bottom() + offset) / rowHeight;
    for (int position = firstPosition; position <= lastPosition; ++position) {
        const int y = (position + 1) * rowHeight - 1 - offset;
        painter.fillRect(area.left(), y, area.width(), 1, colour);
    }

    // A line at the right edge of every column, in on-screen order.
    const QHeaderView* columns = horizontalHeader();
    for (int visual = 0; visual < columns->count(); ++visual) {
        const int logical = columns->logicalIndex(visual);
        if (columns->isSectionHidden(logical)) {
            continue;
        }
        const int x = columnViewportPosition(logical) + columnWidth(logical) - 1;
        if (x >= area.left() && x <= area.right()) {
            painter.fillRect(x, area.top(), 1, area.height(), colour);
        }
    }
}

}  // namespace vexilor
