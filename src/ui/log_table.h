#pragma once
// The LogTable: a table view over a LogTableModel with four fixed-width,
// left-aligned columns whose headers can be dragged into another on-screen
// order, and grid lines over the whole area below the header, also where
// there are no rows.

#include <QTableView>

#include "log_table_model.h"

namespace vexilor {

class LogTable : public QTableView {
    Q_OBJECT

  public:
    explicit LogTable(QWidget* parent = nullptr);

    LogTableModel& logModel() { return *model_; }
    const LogTableModel& logModel() const { return *model_; }

    // Pixel width of a model column at start.
    static int initialColumnWidth(int column);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintGrid(const QRect& area);

    LogTableModel* model_;
};

}  // namespace vexilor
