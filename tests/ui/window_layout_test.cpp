// Every control where it belongs, and the window's frame and menu.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

#include "log_table.h"
#include "window_fixture.h"
#include "window_placement.h"

namespace vexilor {
namespace {

enum class Kind { Label, List, Field, Button, Check, Picture, Table };
// The client area or the index of a tab page.
enum Area { Top = -1, Capture = 0, DataLogger = 1, Programming = 2 };

struct Expected {
    ControlId id;
    Kind kind;
    Area area;
    QRect geometry;
    std::string text;
    std::vector<std::string> rows;
};

std::vector<std::string> Numbers(int last) {
    std::vector<std::string> rows;
    for (int n = 0; n <= last; ++n) {
        rows.push_back(std::to_string(n));
    }
    return rows;
}

const std::vector<std::string> Bauds = {"300", "600", "1200", "2400", "4800", "9600"};
const std::vector<std::string> OnOff = {"ON", "OFF"};
const std::vector<std::string> LowHigh = {"LOW", "HIGH"};
const std::vector<std::string> AutoHold = {"AUTO", "HOLD"};
const std::vector<std::string> OpenClose = {"OPEN", "CLOSE"};

using C = ControlId;
using K = Kind;

// In creation order.
const std::vector<Expected> Layout = {
    {C::ModelLabel, K::Label, Top, {20, 10, 120, 20}, "Model: ", {}},
    {C::ModelList,
     K::List,
     Top,
     {140, 10, 230, 20},
     {},
     {"6630.109 VEXILOR 9-36VDC", "6630.111 VEXILOR 110-220VAC", "6620.103 VEXILOR  12VDC",
      "6620.104 VEXILOR  24VDC", "6620.101 VEXILOR 220VAC", "6620.102 VEXILOR 110VAC"}},
    {C::PortLabel, K::Label, Top, {20, 40, 120, 20}, "Port: ", {}},
    {C::PortList, K::List, Top, {140, 40, 80, 20}, {}, TestPorts},
    {C::BaudRateLabel, K::Label, Top, {20, 70, 120, 20}, "BaudRate: ", {}},
    {C::BaudRateList, K::List, Top, {140, 70, 80, 20}, {}, Bauds},
    {C::PeripheralNumberLabel, K::Label, Top, {20, 100, 120, 20}, "Peripheral Number: ", {}},
    {C::PeripheralNumberList, K::List, Top, {140, 100, 80, 20}, {}, Numbers(127)},

    {C::Picture, K::Picture, Capture, {15, 30, 350, 150}, {}, {}},
    {C::ResetButton, K::Button, Capture, {20, 390, 80, 20}, "Reset", {}},
    {C::HoldButton, K::Button, Capture, {280, 390, 80, 20}, "Hold", {}},
    {C::MaxLabel, K::Label, Capture, {160, 220, 200, 20}, "Max = ", {}},
    {C::MinLabel, K::Label, Capture, {160, 260, 200, 20}, "Min = ", {}},

    {C::DataLoggerCheck, K::Check, DataLogger, {20, 10, 250, 20}, "DataLogger activated", {}},
    {C::TimeIntervalLabel,
     K::Label,
     DataLogger,
     {20, 40, 155, 20},
     "Time Interval (seconds): ",
     {}},
    {C::TimeIntervalField, K::Field, DataLogger, {175, 40, 50, 20}, "1", {}},
    {C::MaxRecordsLabel, K::Label, DataLogger, {20, 70, 155, 20}, "Max Records: ", {}},
    {C::MaxRecordsField, K::Field, DataLogger, {175, 70, 50, 20}, "1000", {}},
    {C::LogTable, K::Table, DataLogger, {20, 100, 350, 275}, {}, {}},
    {C::ClearTableButton, K::Button, DataLogger, {20, 390, 80, 20}, "Clear Table", {}},
    {C::SaveTableButton, K::Button, DataLogger, {290, 390, 80, 20}, "Save Table", {}},

    {C::FunctLabel, K::Label, Programming, {20, 20, 55, 20}, "FUNCT: ", {}},
    {C::FunctList, K::List, Programming, {75, 20, 90, 20}, {}, {"SPEED", "TOTAL", "SECON"}},
    {C::PulreLabel, K::Label, Programming, {20, 50, 55, 20}, "PULRE: ", {}},
    {C::PulreField, K::Field, Programming, {75, 50, 60, 20}, "1", {}},
    {C::AdjtiLabel, K::Label, Programming, {20, 80, 55, 20}, "ADJTI: ", {}},
    {C::AdjtiList,
     K::List,
     Programming,
     {75, 80, 60, 20},
     {},
     {"0.1", "0.25", "0.5", "1", "2", "4", "8"}},
    {C::UrealLabel, K::Label, Programming, {20, 110, 55, 20}, "UREAL: ", {}},
    {C::UrealField, K::Field, Programming, {75, 110, 60, 20}, "1", {}},
    {C::UdispLabel, K::Label, Programming, {20, 140, 55, 20}, "UDISP: ", {}},
    {C::UdispField, K::Field, Programming, {75, 140, 60, 20}, "1", {}},
    {C::Al1Label, K::Label, Programming, {20, 170, 55, 20}, "AL1: ", {}},
    {C::Al1OnList, K::List, Programming, {75, 170, 60, 20}, {}, OnOff},
    {C::Al1LowList, K::List, Programming, {135, 170, 60, 20}, {}, LowHigh},
    {C::Al1AutoList, K::List, Programming, {195, 170, 60, 20}, {}, AutoHold},
    {C::Al1OpenList, K::List, Programming, {255, 170, 60, 20}, {}, OpenClose},
    {C::Al1ValueField, K::Field, Programming, {315, 170, 60, 20}, "1", {}},
    {C::Al2Label, K::Label, Programming, {20, 200, 55, 20}, "AL2: ", {}},
    {C::Al2OnList, K::List, Programming, {75, 200, 60, 20}, {}, OnOff},
    {C::Al2LowList, K::List, Programming, {135, 200, 60, 20}, {}, LowHigh},
    {C::Al2AutoList, K::List, Programming, {195, 200, 60, 20}, {}, AutoHold},
    {C::Al2OpenList, K::List, Programming, {255, 200, 60, 20}, {}, OpenClose},
    {C::Al2ValueField, K::Field, Programming, {315, 200, 60, 20}, "1", {}},
    {C::AnalgLabel, K::Label, Programming, {20, 230, 55, 20}, "ANALG: ", {}},
    {C::AnalgOnList, K::List, Programming, {75, 230, 60, 20}, {}, OnOff},
    {C::AnalgTensList, K::List, Programming, {135, 230, 60, 20}, {}, {"TENS", "CURR"}},
    {C::AnalgValueField, K::Field, Programming, {195, 230, 60, 20}, "1", {}},
    {C::DecpLabel, K::Label, Programming, {20, 260, 55, 20}, "DECP: ", {}},
    {C::DecpList, K::List, Programming, {75, 260, 60, 20}, {}, {"0", "1", "2", "AUTO"}},
    {C::CountLabel, K::Label, Programming, {20, 290, 55, 20}, "COUNT: ", {}},
    {C::CountUpList, K::List, Programming, {75, 290, 60, 20}, {}, {"UP", "DOWN"}},
    {C::CountValueField, K::Field, Programming, {135, 290, 60, 20}, "1", {}},
    {C::PrphnLabel, K::Label, Programming, {20, 320, 55, 20}, "PRPHN: ", {}},
    {C::PrphnList, K::List, Programming, {75, 320, 60, 20}, {}, Numbers(250)},
    {C::BaudrLabel, K::Label, Programming, {20, 350, 55, 20}, "BAUDR: ", {}},
    {C::BaudrList, K::List, Programming, {75, 350, 60, 20}, {}, Bauds},
    {C::LoadProgButton, K::Button, Programming, {20, 390, 80, 20}, "Load Prog", {}},
    {C::SaveProgButton, K::Button, Programming, {155, 390, 80, 20}, "Save Prog", {}},
    {C::WriteProgButton, K::Button, Programming, {290, 390, 80, 20}, "Write Prog", {}},
};

bool HasKind(const QWidget& widget, Kind kind) {
    switch (kind) {
        case Kind::Label:
        case Kind::Picture:
            return qobject_cast<const QLabel*>(&widget) != nullptr;
        case Kind::List:
            return qobject_cast<const QComboBox*>(&widget) != nullptr;
        case Kind::Field:
            return qobject_cast<const QLineEdit*>(&widget) != nullptr;
        case Kind::Button:
            return qobject_cast<const QPushButton*>(&widget) != nullptr;
        case Kind::Check:
            return qobject_cast<const QCheckBox*>(&widget) != nullptr;
        case Kind::Table:
            return qobject_cast<const LogTable*>(&widget) != nullptr;
    }
    return false;
}

class WindowLayoutTest : public WindowTest {
  protected:
    QWidget* areaWidget(Area area) const {
        return area == Top ? window->centralWidget() : tabs()->widget(area);
    }
};

TEST_F(WindowLayoutTest, EveryControlHasItsKindPlaceSizeAndStartingContent) {
    const Controls& controls = window->controls();
    for (const Expected& expected : Layout) {
        SCOPED_TRACE(static_cast<int>(expected.id));
        QWidget* control = window->control(expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(HasKind(*control, expected.kind));
        EXPECT_EQ(control->parentWidget(), areaWidget(expected.area));
        EXPECT_EQ(control->geometry(), expected.geometry);
        EXPECT_TRUE(controls.isEnabled(expected.id));
        EXPECT_TRUE(controls.isVisibleFlag(expected.id));
        if (expected.kind == Kind::List) {
            const auto* list = qobject_cast<QComboBox*>(control);
            EXPECT_FALSE(list->isEditable());
            EXPECT_EQ(RowsOf(*list), expected.rows);
            EXPECT_EQ(controls.selectedRow(expected.id), -1);
            EXPECT_EQ(controls.text(expected.id), "");
        } else {
            EXPECT_EQ(controls.text(expected.id), expected.text);
        }
    }
    EXPECT_FALSE(controls.ticked(ControlId::DataLoggerCheck));
    EXPECT_EQ(controls.rowCount(ControlId::LogTable), 0);
}

TEST_F(WindowLayoutTest, ControlsAreCreatedInTableOrderOnEachArea) {
    for (const Area area : {Top, Capture, DataLogger, Programming}) {
        SCOPED_TRACE(static_cast<int>(area));
        std::vector<QObject*> expected;
        for (const Expected& entry : Layout) {
            if (entry.area == area) {
                expected.push_back(window->control(entry.id));
            }
        }
        std::vector<QObject*> actual;
        for (QObject* child : areaWidget(area)->children()) {
            if (std::find(expected.begin(), expected.end(), child) != expected.end()) {
                actual.push_back(child);
            }
        }
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(WindowLayoutTest, LabelsAreRightAlignedPlainTextAtTheTop) {
    for (const Expected& expected : Layout) {
        if (expected.kind != Kind::Label) {
            continue;
        }
        SCOPED_TRACE(static_cast<int>(expected.id));
        const auto* label = widget<QLabel>(expected.id);
        EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignTop);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(WindowLayoutTest, PictureShowsABlackImageAtItsOwnSize) {
    const auto* picture = widget<QLabel>(ControlId::Picture);
    const QImage image = picture->pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(350, 150));
    for (const QPoint point : {QPoint(0, 0), QPoint(175, 75), QPoint(349, 149)}) {
        EXPECT_EQ(image.pixelColor(point), QColor(Qt::black));
    }
}

TEST_F(WindowLayoutTest, WindowIsFixedAtItsSizeWithTitleIconAndButtonFace) {
    EXPECT_EQ(window->windowTitle(), "Vexilor");
    EXPECT_EQ(window->size(), QSize(400, 610));
    EXPECT_EQ(window->minimumSize(), QSize(400, 610));
    EXPECT_EQ(window->maximumSize(), QSize(400, 610));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));

    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    for (const int size : {16, 24, 32, 64}) {
        EXPECT_TRUE(iconSizes.contains(QSize(size, size))) << size;
    }
    EXPECT_EQ(window->palette().color(QPalette::Window), window->palette().color(QPalette::Button));
}

TEST_F(WindowLayoutTest, ClientAreaAndTabPanelGiveTheMenuBarItsHeight) {
    const int menuHeight = window->menuBar()->height();
    ASSERT_GT(menuHeight, 0);
    const QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(400, 610 - menuHeight));
    EXPECT_EQ(tabs()->geometry(), QRect(5, 130, 390, 475 - menuHeight));
    EXPECT_EQ(client->height() - tabs()->geometry().bottom() - 1, 5);
}

TEST_F(WindowLayoutTest, TabPanelHasThreePagesBelowItsHeadersWithCaptureSelected) {
    ASSERT_EQ(tabs()->count(), 3);
    EXPECT_EQ(tabs()->tabText(0), "Capture");
    EXPECT_EQ(tabs()->tabText(1), "DataLogger");
    EXPECT_EQ(tabs()->tabText(2), "Programming");
    EXPECT_EQ(tabs()->currentIndex(), 0);
    const QWidget* page = tabs()->widget(0);
    EXPECT_GE(page->mapTo(tabs(), QPoint(0, 0)).y(), tabs()->tabBar()->height());
    EXPECT_TRUE(window->control(ControlId::ResetButton)->isVisible());
    EXPECT_FALSE(window->control(ControlId::LogTable)->isVisible());
}

TEST_F(WindowLayoutTest, MenusHoldOneItemEachThatReportsItsIdentifier) {
    struct Item {
        QString menu;
        QString text;
        int id;
    };
    const std::vector<Item> items = {{"File", "Exit", 3}, {"Help", "About...", 4}};
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(items.size()));
    QSignalSpy chosen(window.get(), &MainWindow::menuChosen);
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].menu.toStdString());
        EXPECT_EQ(menus[static_cast<qsizetype>(i)]->text(), items[i].menu);
        const QMenu* menu = menus[static_cast<qsizetype>(i)]->menu();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        QAction* action = menu->actions().front();
        EXPECT_EQ(action->text(), items[i].text);
        EXPECT_FALSE(action->isSeparator());
        EXPECT_TRUE(action->shortcut().isEmpty());
        action->trigger();
        ASSERT_EQ(chosen.size(), static_cast<qsizetype>(i + 1));
        EXPECT_EQ(chosen.back().front().toInt(), items[i].id);
    }
}

TEST_F(WindowLayoutTest, ClosingIsOnlyARequestUntilAllowed) {
    QSignalSpy requested(window.get(), &MainWindow::closeRequested);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(requested.size(), 1);
    EXPECT_TRUE(window->isVisible());

    window->allowClose();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(requested.size(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST(WindowPlacementTest, CentresOnTheScreenOrSticksToTheCorner) {
    struct Case {
        QSize screen;
        QSize window;
        QPoint expected;
    };
    const std::vector<Case> cases = {
        {{1920, 1080}, {400, 610}, {760, 235}}, {{1025, 769}, {400, 610}, {312, 79}},
        {{400, 610}, {400, 610}, {0, 0}},       {{300, 1000}, {400, 610}, {0, 195}},
        {{1000, 500}, {400, 610}, {300, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        EXPECT_EQ(CentredPosition(c.screen, c.window), c.expected);
    }
}

}  // namespace
}  // namespace vexilor
