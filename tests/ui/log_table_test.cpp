// The LogTable's model, columns and grid lines.

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
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
    EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectItems);
}

TEST_F(LogTableTest, MovingAHeaderChangesOnlyTheOnScreenOrder) {
    Controls& controls = window->controls();
    controls.addRow(ControlId::LogTable, "10:00:00\n000001.00\nON\nOFF", 0);
    QHeaderView* header = table->horizontalHeader();
    // "Read" dragged by the mouse before "Time".
    const QPoint from(126 + 40, header->height() / 2);
    const QPoint to(10, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), header->viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, to);
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

TEST_F(LogTableTest, TheTimeColumnHoldsAWholeTimestamp) {
    const QFontMetrics metrics(table->font());
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("2026/12/31 23:59:59")),
              table->timeTextRoom());
}

class LogTableGridTest : public LogTableTest {
  protected:
    void SetUp() override {
        LogTableTest::SetUp();
        lineColour = table->palette().color(QPalette::Button);
        emptyColour = table->palette().color(QPalette::Base);
        ASSERT_NE(lineColour, emptyColour);
        rowHeight = table->rowHeight();
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
    EXPECT_EQ(table->rowViewportPosition(2) + table->rowHeight(), 3 * rowHeight);
    table->horizontalHeader()->moveSection(1, 0);
    expectGrid({79, 205, 265, 325});
}

// The view over many rows: clicks, keys, scrolling and what is painted where.
class LogTableViewTest : public LogTableTest {
  protected:
    void SetUp() override {
        LogTableTest::SetUp();
        for (int row = 0; row < Rows; ++row) {
            // Row r on screen shows "r" in every column.
            const std::string text = std::to_string(Rows - 1 - row);
            window->controls().addRow(ControlId::LogTable,
                                      text + "\n" + text + "\n" + text + "\n" + text, 0);
        }
        QCoreApplication::processEvents();
    }

    QPoint cellCentre(int row, int column) const {
        return table->visualRect(table->model()->index(row, column)).center();
    }

    // Whether the cell's area, short of its grid lines, holds any pixel
    // other than the empty background.
    bool cellHasInk(const QImage& image, int row, int column) const {
        const QRect cell =
            table->visualRect(table->model()->index(row, column)).adjusted(0, 0, -2, -2);
        const QColor empty = table->palette().color(QPalette::Base);
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                if (image.pixelColor(x, y) != empty) {
                    return true;
                }
            }
        }
        return false;
    }

    static constexpr int Rows = 1000;
};

TEST_F(LogTableViewTest, AClickSelectsTheOneCellUnderItInOnScreenOrder) {
    table->horizontalHeader()->moveSection(2, 0);  // "AL1" first on screen
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(3, 0));
    EXPECT_EQ(table->currentIndex(), table->model()->index(3, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(5, 4 * table->rowHeight() + 3));
    const QModelIndexList selected = table->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front(), table->model()->index(4, 2));
}

TEST_F(LogTableViewTest, KeysMoveTheCurrentCellInOnScreenOrderAndScrollToIt) {
    activate();
    table->horizontalHeader()->moveSection(3, 0);  // on screen: AL2 Time Read AL1
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 3));
    const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(table, key, modifiers);
        return std::pair{table->currentIndex().row(), table->currentIndex().column()};
    };
    EXPECT_EQ(press(Qt::Key_Right), (std::pair{0, 0}));
    EXPECT_EQ(press(Qt::Key_End), (std::pair{0, 2}));
    EXPECT_EQ(press(Qt::Key_Right), (std::pair{0, 2}));
    EXPECT_EQ(press(Qt::Key_Home), (std::pair{0, 3}));
    EXPECT_EQ(press(Qt::Key_Left), (std::pair{0, 3}));
    EXPECT_EQ(press(Qt::Key_Up), (std::pair{0, 3}));
    EXPECT_EQ(press(Qt::Key_Down), (std::pair{1, 3}));
    EXPECT_EQ(press(Qt::Key_End, Qt::ControlModifier), (std::pair{Rows - 1, 2}));
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualRect(table->currentIndex())));
    EXPECT_EQ(table->rowAt(0), Rows - table->viewport()->height() / table->rowHeight());
    EXPECT_EQ(press(Qt::Key_Down), (std::pair{Rows - 1, 2}));
    EXPECT_EQ(press(Qt::Key_Home, Qt::ControlModifier), (std::pair{0, 3}));
    EXPECT_EQ(table->rowAt(0), 0);
}

TEST_F(LogTableViewTest, ScrollingByRowsShowsTheRowsBelowAndFollowsTheRowCount) {
    QScrollBar* bar = table->verticalScrollBar();
    const int visible = table->viewport()->height() / table->rowHeight();
    EXPECT_EQ(bar->maximum(), Rows - visible);
    table->scrollTo(table->model()->index(500, 0), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(table->rowAt(0), 500);
    EXPECT_EQ(table->indexAt(QPoint(130, table->rowHeight() + 2)), table->model()->index(501, 1));
    EXPECT_EQ(table->rowViewportPosition(500), 0);

    // A row logged on top keeps the view at the same row number, so what
    // it shows moves down by one, and the range grows; trimming below the
    // view shrinks it.
    Controls& controls = window->controls();
    controls.addRow(ControlId::LogTable, "new", 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->maximum(), Rows + 1 - visible);
    EXPECT_EQ(table->model()->index(table->rowAt(0), 0).data().toString(), "499");
    controls.removeRows(ControlId::LogTable, Rows + 1 - 10, 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->maximum(), Rows - 9 - visible);
    controls.removeRows(ControlId::LogTable, 0, Rows);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(table->rowAt(0), -1);
}

TEST_F(LogTableViewTest, PaintsTheRowsInViewAndTheSelectedCell) {
    table->scrollTo(table->model()->index(200, 0), QAbstractItemView::PositionAtTop);
    table->horizontalHeader()->moveSection(3, 0);
    table->selectionModel()->select(table->model()->index(201, 2),
                                    QItemSelectionModel::ClearAndSelect);
    const QImage image = table->viewport()->grab().toImage();
    const QColor empty = table->palette().color(QPalette::Base);
    EXPECT_EQ(table->visualRect(table->model()->index(200, 3)).left(), 0);
    for (const int column : {0, 1, 2, 3}) {
        EXPECT_TRUE(cellHasInk(image, 200, column)) << column;
    }
    // The selected cell is filled, not only lettered.
    const QRect selected = table->visualRect(table->model()->index(201, 2));
    EXPECT_NE(image.pixelColor(selected.right() - 3, selected.top() + 2), empty);
    const QRect plain = table->visualRect(table->model()->index(201, 3));
    EXPECT_EQ(image.pixelColor(plain.right() - 3, plain.top() + 2), empty);
}

}  // namespace
}  // namespace vexilor
