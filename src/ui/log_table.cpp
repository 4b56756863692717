#include "log_table.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace vexilor {
namespace {

constexpr std::array<int, LogTableModel::ColumnCount> ColumnWidths = {126, 80, 60, 60};
constexpr int HorizontalStep = 20;
// The widest Time cell, in the LogLine's timestamp format.
constexpr const char* WidestTimestamp = "0000/00/00 00:00:00";
constexpr qreal SmallestPointSize = 6.0;
constexpr qreal PointSizeStep = 0.5;

// Viewport positions far above or below the visible rows saturate instead
// of wrapping.
int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int LogTable::initialColumnWidth(int column) {
    if (column < 0 || column >= LogTableModel::ColumnCount) {
        return 0;
    }
    return ColumnWidths[static_cast<std::size_t>(column)];
}

LogTable::LogTable(QWidget* parent)
    : QAbstractItemView(parent),
      model_(new LogTableModel(this)),
      header_(new QHeaderView(Qt::Horizontal, this)) {
    setFont(timestampFittingFont());
    rowHeight_ = fontMetrics().height() + 4;
    setModel(model_);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the table like any other control instead of walking cells.
    setTabKeyNavigation(false);

    header_->setModel(model_);
    header_->setSectionsMovable(true);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(QHeaderView::Interactive);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < LogTableModel::ColumnCount; ++column) {
        header_->resizeSection(column, initialColumnWidth(column));
    }

    // The scroll bars and the header follow once per pass of the event
    // loop, however many rows came or went in it.
    const auto relayout = [this] { scheduleDelayedItemsLayout(); };
    connect(header_, &QHeaderView::sectionResized, this, relayout);
    connect(header_, &QHeaderView::sectionMoved, this, relayout);
    connect(model_, &QAbstractItemModel::rowsInserted, this, relayout);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, relayout);
    connect(model_, &QAbstractItemModel::modelReset, this, relayout);
}

// The Time column's width is fixed; where the desktop's font is too wide
// for a whole timestamp in it, the table takes the largest smaller size that
// fits, so that no time is cut short.
QFont LogTable::timestampFittingFont() const {
    QFont fitted = font();
    const int room = timeTextRoom();
    const QString widest = QString::fromLatin1(WidestTimestamp);
    while (QFontMetrics(fitted).horizontalAdvance(widest) > room &&
           fitted.pointSizeF() - PointSizeStep >= SmallestPointSize) {
        fitted.setPointSizeF(fitted.pointSizeF() - PointSizeStep);
    }
    return fitted;
}

int LogTable::timeTextRoom() const {
    // The item's text margins on both sides and the grid line on the right.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return initialColumnWidth(0) - 2 * margin - 1;
}

int LogTable::topRow() const {
    return verticalScrollBar()->value();
}

int LogTable::fullyVisibleRows() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

int LogTable::columnViewportPosition(int column) const {
    return header_->sectionViewportPosition(column);
}

int LogTable::rowViewportPosition(int row) const {
    return ClampToInt((std::int64_t{row} - topRow()) * rowHeight_);
}

int LogTable::rowAt(int y) const {
    if (y < 0) {
        return -1;
    }
    const std::int64_t row = std::int64_t{topRow()} + y / rowHeight_;
    return row < model_->rowCount() ? static_cast<int>(row) : -1;
}

int LogTable::columnAt(int x) const {
    return header_->logicalIndexAt(x);
}

// The first column not hidden from the on-screen position visual on, in
// steps of -1 or +1; -1 when there is none.
int LogTable::shownColumnFrom(int visual, int step) const {
    for (; visual >= 0 && visual < header_->count(); visual += step) {
        const int column = header_->logicalIndex(visual);
        if (!header_->isSectionHidden(column)) {
            return column;
        }
    }
    return -1;
}

// The shown column next to column on screen, or column itself at an edge.
int LogTable::nextShownColumn(int column, int step) const {
    const int next = shownColumnFrom(header_->visualIndex(column) + step, step);
    return next < 0 ? column : next;
}

QRect LogTable::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model_) {
        return {};
    }
    const int column = index.column();
    return {columnViewportPosition(column), rowViewportPosition(index.row()),
            header_->sectionSize(column), rowHeight_};
}

QModelIndex LogTable::indexAt(const QPoint& point) const {
    const int row = rowAt(point.y());
    const int column = columnAt(point.x());
    if (row < 0 || column < 0) {
        return {};
    }
    return model_->index(row, column);
}

void LogTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || index.model() != model_) {
        return;
    }
    executeDelayedItemsLayout();
    const int row = index.row();
    const int visible = fullyVisibleRows();
    int top = topRow();
    switch (hint) {
        case PositionAtTop:
            top = row;
            break;
        case PositionAtBottom:
            top = row - visible + 1;
            break;
        case PositionAtCenter:
            top = row - visible / 2;
            break;
        case EnsureVisible:
            if (row < top) {
                top = row;
            } else if (row >= top + visible) {
                top = row - visible + 1;
            }
            break;
    }
    verticalScrollBar()->setValue(top);

    const int left = header_->sectionPosition(index.column());
    const int right = left + header_->sectionSize(index.column());
    const int width = viewport()->width();
    QScrollBar* columns = horizontalScrollBar();
    if (left < columns->value()) {
        columns->setValue(left);
    } else if (right > columns->value() + width) {
        columns->setValue(std::min(left, right - width));
    }
}

QModelIndex LogTable::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const int rows = model_->rowCount();
    const int first = shownColumnFrom(0, 1);
    if (rows == 0 || first < 0) {
        return {};
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return model_->index(0, first);
    }
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    int row = current.row();
    int column = current.column();
    switch (cursorAction) {
        case MoveUp:
            --row;
            break;
        case MoveDown:
            ++row;
            break;
        case MovePageUp:
            row -= fullyVisibleRows();
            break;
        case MovePageDown:
            row += fullyVisibleRows();
            break;
        case MoveHome:
            row = control ? 0 : row;
            column = first;
            break;
        case MoveEnd:
            row = control ? rows - 1 : row;
            column = shownColumnFrom(header_->count() - 1, -1);
            break;
        case MoveLeft:
        case MovePrevious:
            column = nextShownColumn(column, -1);
            break;
        case MoveRight:
        case MoveNext:
            column = nextShownColumn(column, 1);
            break;
    }
    return model_->index(std::clamp(row, 0, rows - 1), column);
}

int LogTable::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int LogTable::verticalOffset() const {
    return ClampToInt(std::int64_t{topRow()} * rowHeight_);
}

bool LogTable::isIndexHidden(const QModelIndex& index) const {
    return header_->isSectionHidden(index.column());
}

// Selects every cell the rectangle touches, in on-screen column order; a
// corner outside the rows selects nothing.
void LogTable::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const QRect area = rect.normalized();
    const QModelIndex topLeft = indexAt(area.topLeft());
    const QModelIndex bottomRight = indexAt(area.bottomRight());
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        return;
    }
    const int firstVisual = header_->visualIndex(topLeft.column());
    const int lastVisual = header_->visualIndex(bottomRight.column());
    QItemSelection selection;
    for (int visual = std::min(firstVisual, lastVisual);
         visual <= std::max(firstVisual, lastVisual); ++visual) {
        const int column = header_->logicalIndex(visual);
        if (!header_->isSectionHidden(column)) {
            selection.append(QItemSelectionRange(model_->index(topLeft.row(), column),
                                                 model_->index(bottomRight.row(), column)));
        }
    }
    selectionModel()->select(selection, command);
}

QRegion LogTable::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const QRect shown = viewport()->rect();
    const int top = topRow();
    const int bottom = top + fullyVisibleRows();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.model() != model_) {
            continue;
        }
        const int first = std::max(range.top(), top);
        const int last = std::min(range.bottom(), bottom);
        if (first > last) {
            continue;
        }
        for (int column = range.left(); column <= range.right(); ++column) {
            const QRect cells(columnViewportPosition(column), rowViewportPosition(first),
                              header_->sectionSize(column), (last - first + 1) * rowHeight_);
            region += cells & shown;
        }
    }
    return region;
}

void LogTable::updateGeometries() {
    const int headerHeight = header_->isHidden() ? 0 : header_->sizeHint().height();
    if (viewportMargins().top() != headerHeight) {
        setViewportMargins(0, headerHeight, 0, 0);
    }
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);

    const int visible = fullyVisibleRows();
    QScrollBar* rows = verticalScrollBar();
    rows->setSingleStep(1);
    rows->setPageStep(visible);
    rows->setRange(0, std::max(0, model_->rowCount() - visible));

    QScrollBar* columns = horizontalScrollBar();
    columns->setSingleStep(HorizontalStep);
    columns->setPageStep(area.width());
    columns->setRange(0, std::max(0, header_->length() - area.width()));
    header_->setOffset(columns->value());

    QAbstractItemView::updateGeometries();
}

void LogTable::scrollContentsBy(int dx, int /*dy*/) {
    if (dx != 0) {
        header_->setOffset(horizontalScrollBar()->value());
    }
    viewport()->update();
}

void LogTable::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect();
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(viewport());
    painter.setClipRect(area);
    paintCells(painter, area);
    paintGrid(painter, area);
}

// Only the rows and columns inside the area are drawn, each cell short of
// the grid lines on its right and bottom edge.
void LogTable::paintCells(QPainter& painter, const QRect& area) {
    const int first = rowAt(area.top());
    if (first < 0) {
        return;
    }
    const int bottom = rowAt(area.bottom());
    const int last = bottom < 0 ? model_->rowCount() - 1 : bottom;

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.showDecorationSelected = true;
    const QModelIndex current = currentIndex();
    const QItemSelectionModel* selected = selectionModel();
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int column = header_->logicalIndex(visual);
        const int left = columnViewportPosition(column);
        const int width = header_->sectionSize(column);
        if (header_->isSectionHidden(column) || left + width <= area.left() ||
            left > area.right()) {
            continue;
        }
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = model_->index(row, column);
            QStyleOptionViewItem cell = option;
            cell.rect = QRect(left, rowViewportPosition(row), width - 1, rowHeight_ - 1);
            if (selected->isSelected(index)) {
                cell.state |= QStyle::State_Selected;
            }
            if (index == current && hasFocus()) {
                cell.state |= QStyle::State_HasFocus;
            }
            itemDelegateForIndex(index)->paint(&painter, cell, index);
        }
    }
}

void LogTable::paintGrid(QPainter& painter, const QRect& area) {
    const QColor colour = palette().color(QPalette::Button);

    // A line under every row position, existing rows or not; the view
    // scrolls by whole rows, so the positions sit still.
    const int firstPosition = area.top() / rowHeight_;
    const int lastPosition = area.bottom() / rowHeight_;
    for (int position = firstPosition; position <= lastPosition; ++position) {
        const int y = (position + 1) * rowHeight_ - 1;
        painter.fillRect(area.left(), y, area.width(), 1, colour);
    }

    // A line at the right edge of every column, in on-screen order.
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int column = header_->logicalIndex(visual);
        if (header_->isSectionHidden(column)) {
            continue;
        }
        const int x = columnViewportPosition(column) + header_->sectionSize(column) - 1;
        if (x >= area.left() && x <= area.right()) {
            painter.fillRect(x, area.top(), 1, area.height(), colour);
        }
    }
}

}  // namespace vexilor
