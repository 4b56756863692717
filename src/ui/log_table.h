#pragma once
// The LogTable: a view over a LogTableModel with four fixed-width,
// left-aligned columns whose headers can be dragged into another on-screen
// order, single-cell selection, and grid lines over the whole area below the
// header, also where there are no rows.
//
// Every row has the same height, so the view finds a row's place by
// arithmetic and keeps nothing per row: a row logged on top or trimmed at the
// bottom costs the same with ten rows or a million. (A QTableView keeps a
// section per row in its vertical header and walks them all after each
// change.) The vertical scroll bar counts rows, the horizontal one pixels.

#include <QAbstractItemView>

#include "log_table_model.h"

class QHeaderView;

namespace vexilor {

class LogTable : public QAbstractItemView {
    Q_OBJECT

  public:
    explicit LogTable(QWidget* parent = nullptr);

    LogTableModel& logModel() { return *model_; }
    const LogTableModel& logModel() const { return *model_; }
    QHeaderView* horizontalHeader() const { return header_; }

    // Pixel width of a model column at start.
    static int initialColumnWidth(int column);
    // The width the Time column leaves for its text.
    int timeTextRoom() const;
    // The height of every row, grid line included.
    int rowHeight() const { return rowHeight_; }
    // Viewport positions of a model column's left edge and of a row's top.
    int columnViewportPosition(int column) const;
    int rowViewportPosition(int row) const;
    // The row at a viewport height, or -1 where there is none.
    int rowAt(int y) const;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

  protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QFont timestampFittingFont() const;
    int topRow() const;
    // Rows wholly inside the viewport, at least one.
    int fullyVisibleRows() const;
    // The model column at a viewport x, or -1.
    int columnAt(int x) const;
    int shownColumnFrom(int visual, int step) const;
    int nextShownColumn(int column, int step) const;
    void paintCells(QPainter& painter, const QRect& area);
    void paintGrid(QPainter& painter, const QRect& area);

    LogTableModel* model_;
    QHeaderView* header_;
    int rowHeight_ = 0;
};

}  // namespace vexilor
