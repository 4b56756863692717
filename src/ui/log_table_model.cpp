#include "log_table_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "latin1.h"

namespace vexilor {
namespace {

constexpr std::array<const char*, LogTableModel::ColumnCount> ColumnTitles = {"Time", "Read", "AL1",
                                                                              "AL2"};

// The column-th field of a LogLine.
std::string_view LineField(std::string_view line, int column) {
    std::size_t start = 0;
    for (int skipped = 0; skipped < column; ++skipped) {
        const std::size_t feed = line.find('\n', start);
        if (feed == std::string_view::npos) {
            return {};
        }
        start = feed + 1;
    }
    const std::size_t end = line.find('\n', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

constexpr int LeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

}  // namespace

const char* LogColumnTitle(int column) {
    if (column < 0 || column >= LogTableModel::ColumnCount) {
        return "";
    }
    return ColumnTitles[static_cast<std::size_t>(column)];
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return ToQString(cellText(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        return LeftAligned;
    }
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(LogColumnTitle(section));
    }
    if (role == Qt::TextAlignmentRole) {
        return LeftAligned;
    }
    return {};
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

bool LogTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    const int size = rowCount(parent);
    if (parent.isValid() || row < 0 || row >= size || count <= 0) {
        return false;
    }
    const int last = static_cast<int>(std::min<std::int64_t>(size, std::int64_t{row} + count)) - 1;
    beginRemoveRows(QModelIndex(), row, last);
    const auto first = lines_.begin() + row;
    lines_.erase(first, first + (last - row + 1));
    endRemoveRows();
    return true;
}

void LogTableModel::insertLine(int position, std::string line) {
    const int size = rowCount();
    if (position < 0 || position > size) {
        position = size;
    }
    beginInsertRows(QModelIndex(), position, position);
    lines_.insert(lines_.begin() + position, std::move(line));
    endInsertRows();
}

std::string LogTableModel::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) {
        return {};
    }
    return std::string(LineField(lines_[static_cast<std::size_t>(row)], column));
}

}  // namespace vexilor
