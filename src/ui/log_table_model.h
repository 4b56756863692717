#pragma once
// The rows of the LogTable, newest usually at the top. Each row is kept as
// its LogLine (fields separated by line feeds) and split only when a cell is
// read, so a row costs one string. A deque keeps inserting at the top and
// removing at the bottom cheap at any length.

#include <QAbstractTableModel>
#include <deque>
#include <string>

namespace vexilor {

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int ColumnCount = 4;

    explicit LogTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Removes the rows that exist in [row, row + count) in one step.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Inserts a LogLine before position; a position outside 0..rowCount()
    // appends.
    void insertLine(int position, std::string line);
    // The text of a cell by model column; empty outside the table or when
    // the line has fewer fields.
    std::string cellText(int row, int column) const;

  private:
    std::deque<std::string> lines_;
};

// The header texts by model column.
const char* LogColumnTitle(int column);

}  // namespace vexilor
