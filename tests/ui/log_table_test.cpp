// The LogTable's model, columns and grid lines.

#include <QHeaderView>
#include <QSignalSpy>

#include "log_table.h"
#include "window_fixture.h"

namespace vexilor {
namespace {

struct Range {
    int first;
    int last;
    bool operator==(const Range&) const = default;
};

std::vector<Range> Ranges(const QSignalSpy& spy) {
    std::vector<Range> ranges;
    for (const QList<QVariant>& signal : spy) {
        ranges.push_back({signal.at(1).toInt(), signal.at(2).toInt()});
    }
    return ranges;
}

std::vector<std::string> Column(const LogTableModel& model, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.push_back(model.cellText(row, column));
    }
    return texts;
}

TEST(LogTableModelTest, InsertsAtTheTopAndRemovesFromTheBottomByExactRanges) {
    LogTableModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    for (const char* time : {"a", "b", "c", "d", "e"}) {
        model.insertLine(0, std::string(time) + "\n1\nOFF\nOFF");
    }
    model.insertLine(99, "z");
    model.insertLine(-1, "y");
    EXPECT_EQ(Ranges(inserted),
              (std::vector<Range>{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {5, 5}, {6, 6}}));
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"e", "d", "c", "b", "a", "z", "y"}));

    EXPECT_TRUE(model.removeRows(4, 2));
    EXPECT_TRUE(model.removeRows(3, 50));
    EXPECT_FALSE(model.removeRows(3, 1));
    EXPECT_FALSE(model.removeRows(-1, 1));
    EXPECT_FALSE(model.removeRows(0, 0));
    EXPECT_EQ(Ranges(removed), (std::vector<Range>{{4, 5}, {3, 4}}));
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"e", "d", "c"}));
}

TEST(LogTableModelTest, SplitsEachLineIntoItsFourColumns) {
    struct Case {
        std::string line;
        std::vector<std::string> cells;
    };
    const std::vector<Case> cases = {
        {"25/12/2026 10:00:01\n001234.56\nON\nOFF",
         {"25/12/2026 10:00:01", "001234.56", "ON", "OFF"}},
        {"No vexilor connected", {"No vexilor connected", "", "", ""}},
        {"t\n\nON\n", {"t", "", "ON", ""}},
        {"", {"", "", "", ""}},
        {"a\nb\nc\nd\nextra", {"a", "b", "c", "d"}},
        {"Can't open \n\xb0\n\n", {"Can't open ", "\xb0", "", ""}},
    };
    LogTableModel model;
    for (const Case& c : cases) {
        model.insertLine(-1, c.line);
    }
    for (int row = 0; row < static_cast<int>(cases.size()); ++row) {
        const Case& c = cases[static_cast<std::size_t>(row)];
        SCOPED_TRACE(c.line);
        for (int column = 0; column < 4; ++column) {
            const std::string& cell = c.cells[static_cast<std::size_t>(column)];
            EXPECT_EQ(model.cellText(row, column), cell);
            const QModelIndex index = model.index(row, column);
            EXPECT_EQ(model.data(index).toString(), QString::fromLatin1(cell.c_str()));
            EXPECT_EQ(model.data(index, Qt::TextAlignmentRole).toInt(),
                      int(Qt::AlignLeft | Qt::AlignVCenter));
        }
        EXPECT_EQ(model.cellText(row, 4), "");
    }
    EXPECT_EQ(model.cellText(static_cast<int>(cases.size()), 0), "");
}

class LogTableTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        tabs()->setCurrentIndex(1);
        table = widget<LogTable>(ControlId::LogTable);
        ASSERT_NE(table, nullptr);
    }

    LogTable* table = nullptr;
};

TEST_F(LogTableTest, HasFourLeftAlignedMovableColumnsAndSingleItemSelection) {
    const QHeaderView* header = table->horizontalHeader();
    const std::vector<std::pair<QString, int>> columns = {
        {"Time", 126}, {"Read", 80}, {"AL1", 60}, {"AL2", 60}};
    ASSERT_EQ(table->model()->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        SCOPED_TRACE(column);
        const auto& [title, width] = columns[static_cast<std::size_t>(column)];
        EXPECT_EQ(table->model()->headerData(column, Qt::Horizontal).toString(), title);
        EXPECT_EQ(header->sectionSize(column), width);
        EXPECT_EQ(table->model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                  int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    EXPECT_TRUE(header->sectionsMovable());
    EXPECT_FALSE(table->verticalHeader()->isVisible());
    EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectItems);
}

TEST_F(LogTableTest, MovingAHeaderChangesOnlyTheOnScreenOrder) {
    Controls& controls = window->controls();
    controls.addRow(ControlId::LogTable, "10:00:00\n000001.00\nON\nOFF", 0);
    QHeaderView* header = table->horizontalHeader();
    header->moveSection(1, 0);  // "Read" before "Time"
    header->moveSection(3, 2);  // "AL2" before "AL1"
    EXPECT_EQ(header->logicalIndex(0), 1);
    EXPECT_EQ(header->logicalIndex(2), 3);
    const std::vector<std::string> cells = {"10:00:00", "000001.00", "ON", "OFF"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(controls.cellText(ControlId::LogTable, 0, column),
                  cells[static_cast<std::size_t>(column)]);
    }
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Time");
    EXPECT_EQ(table->columnViewportPosition(1), 0);
    EXPECT_EQ(table->columnViewportPosition(0), 80);
}

class LogTableGridTest : public LogTableTest {
  protected:
    void SetUp() override {
        LogTableTest::SetUp();
        lineColour = table->palette().color(QPalette::Button);
        emptyColour = table->palette().color(QPalette::Base);
        ASSERT_NE(lineColour, emptyColour);
        rowHeight = table->verticalHeader()->defaultSectionSize();
    }

    // Pixels on the right edge of each column and under each row position,
    // and a pixel inside a cell that no line crosses.
    void expectGrid(const std::vector<int>& rightEdges) {
        const QImage image = table->viewport()->grab().toImage();
        ASSERT_GT(image.height(), 5 * rowHeight);
        const int rows = image.height() / rowHeight;
        for (int position = 0; position < rows; ++position) {
            SCOPED_TRACE(position);
            const int bottom = (position + 1) * rowHeight - 1;
            const int middle = position * rowHeight + rowHeight / 2;
            EXPECT_EQ(image.pixelColor(3, bottom), lineColour);
            EXPECT_EQ(image.pixelColor(image.width() - 3, bottom), lineColour);
            for (const int x : rightEdges) {
                EXPECT_EQ(image.pixelColor(x, middle), lineColour) << "x " << x;
                EXPECT_NE(image.pixelColor(x + 2, middle), lineColour) << "x " << x;
            }
        }
        // Beyond the last column there is no vertical line.
        const int middle = rowHeight * (rows - 1) + rowHeight / 2;
        EXPECT_EQ(image.pixelColor(rightEdges.back() + 10, middle), emptyColour);
    }

    QColor lineColour;
    QColor emptyColour;
    int rowHeight = 0;
};

TEST_F(LogTableGridTest, EmptyTableShowsLinesUnderEveryRowPositionAndAtColumnEdges) {
    expectGrid({125, 205, 265, 325});
}

TEST_F(LogTableGridTest, LinesContinueBelowTheLastRowAndFollowMovedColumns) {
    for (int row = 0; row < 3; ++row) {
        window->controls().addRow(ControlId::LogTable, "t\nr\nON\nOFF", 0);
    }
    EXPECT_EQ(table->rowViewportPosition(2) + table->rowHeight(2), 3 * rowHeight);
    table->horizontalHeader()->moveSection(1, 0);
    expectGrid({79, 205, 265, 325});
}

}  // namespace
}  // namespace vexilor
