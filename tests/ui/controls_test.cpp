// The Controls operations on the window's widgets.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "window_fixture.h"

namespace vexilor {
namespace {

class ControlsTest : public WindowTest {
  protected:
    Controls& controls() { return window->controls(); }
};

TEST_F(ControlsTest, SelectingARowOutsideTheListLeavesNoneSelected) {
    struct Case {
        ControlId list;
        int row;
        int selected;
        std::string text;
    };
    const std::vector<Case> cases = {
        {ControlId::ModelList, 2, 2, "6620.103 VEXILOR  12VDC"},
        {ControlId::ModelList, 6, -1, ""},
        {ControlId::ModelList, 5, 5, "6620.102 VEXILOR 110VAC"},
        {ControlId::ModelList, -1, -1, ""},
        {ControlId::PortList, 1, 1, "COM3"},
        {ControlId::PortList, 2, -1, ""},
        {ControlId::PeripheralNumberList, 127, 127, "127"},
        {ControlId::PeripheralNumberList, 128, -1, ""},
        {ControlId::PrphnList, 250, 250, "250"},
        {ControlId::AdjtiList, 1, 1, "0.25"},
        {ControlId::DecpList, 3, 3, "AUTO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.list) << " row " << c.row);
        controls().setSelectedRow(c.list, c.row);
        EXPECT_EQ(controls().selectedRow(c.list), c.selected);
        EXPECT_EQ(controls().text(c.list), c.text);
    }
}

TEST_F(ControlsTest, WrittenTextsAreTakenWholeEvenWhereTypingIsRefused) {
    struct Case {
        ControlId id;
        std::string text;
    };
    const std::vector<Case> cases = {
        {ControlId::MaxRecordsField, "-5"},
        {ControlId::TimeIntervalField, "1.5e3"},
        {ControlId::PulreField, ""},
        {ControlId::Al2ValueField, std::string(300, '9')},
        {ControlId::MaxLabel, "Max = 001234.56"},
        {ControlId::MinLabel, "R&D \xe9t\xe9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        controls().setText(c.id, c.text);
        EXPECT_EQ(controls().text(c.id), c.text);
    }
    // A label keeps an ampersand as a character, not as a mnemonic.
    EXPECT_EQ(widget<QLabel>(ControlId::MinLabel)->text(), QString::fromLatin1("R&D \xe9t\xe9"));
}

TEST_F(ControlsTest, AddingPortRowsKeepsTheSelectionAsItWas) {
    MainWindow empty({});
    Controls& ports = empty.controls();
    EXPECT_EQ(ports.rowCount(ControlId::PortList), 0);
    EXPECT_EQ(ports.selectedRow(ControlId::PortList), -1);
    EXPECT_EQ(ports.text(ControlId::PortList), "");

    ports.addRow(ControlId::PortList, "COM2");
    ports.addRow(ControlId::PortList, "COM7");
    EXPECT_EQ(ports.selectedRow(ControlId::PortList), -1);
    ports.setSelectedRow(ControlId::PortList, 1);
    ports.addRow(ControlId::PortList, "COM9");
    EXPECT_EQ(ports.selectedRow(ControlId::PortList), 1);
    EXPECT_EQ(ports.text(ControlId::PortList), "COM7");
    EXPECT_EQ(RowsOf(*qobject_cast<QComboBox*>(empty.control(ControlId::PortList))),
              (std::vector<std::string>{"COM2", "COM7", "COM9"}));
}

TEST_F(ControlsTest, ALongPortOpensFullWidthAndIsTheClosedListsToolTip) {
    const std::string longPort = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    controls().addRow(ControlId::PortList, longPort);
    auto* list = widget<QComboBox>(ControlId::PortList);
    controls().setSelectedRow(ControlId::PortList, 0);
    EXPECT_TRUE(list->toolTip().isEmpty());  // "COM1" fits
    controls().setSelectedRow(ControlId::PortList, list->count() - 1);
    EXPECT_EQ(list->toolTip().toStdString(), longPort);

    list->showPopup();
    const int textWidth =
        list->view()->fontMetrics().horizontalAdvance(QString::fromStdString(longPort));
    EXPECT_GT(list->view()->width(), textWidth);
    EXPECT_GT(list->view()->width(), list->width());
    list->hidePopup();
}

TEST_F(ControlsTest, CheckBoxTicksAndUnticks) {
    for (const bool ticked : {true, false, true}) {
        controls().setTicked(ControlId::DataLoggerCheck, ticked);
        EXPECT_EQ(controls().ticked(ControlId::DataLoggerCheck), ticked);
        EXPECT_EQ(widget<QCheckBox>(ControlId::DataLoggerCheck)->isChecked(), ticked);
    }
}

TEST_F(ControlsTest, EnabledAndVisibleFlagsAreTheControlsOwnWhateverPageShows) {
    // The Programming page is not the one shown, yet its controls keep flags.
    const std::vector<ControlId> ids = {
        ControlId::PrphnList,   ControlId::BaudrLabel, ControlId::PeripheralNumberList,
        ControlId::ResetButton, ControlId::LogTable,   ControlId::TabPanel};
    for (const ControlId id : ids) {
        SCOPED_TRACE(static_cast<int>(id));
        QWidget* control = window->control(id);
        controls().setEnabled(id, false);
        EXPECT_FALSE(controls().isEnabled(id));
        EXPECT_FALSE(control->isEnabled());
        controls().setVisible(id, false);
        EXPECT_FALSE(controls().isVisibleFlag(id));
        EXPECT_FALSE(control->isVisible());
        controls().setEnabled(id, true);
        controls().setVisible(id, true);
        EXPECT_TRUE(controls().isEnabled(id));
        EXPECT_TRUE(controls().isVisibleFlag(id));
    }
    EXPECT_FALSE(window->control(ControlId::PrphnList)->isVisible());
    EXPECT_TRUE(window->control(ControlId::PeripheralNumberList)->isVisible());
}

TEST_F(ControlsTest, HiddenListKeepsItsSelectedRow) {
    controls().setSelectedRow(ControlId::BaudRateList, 4);
    controls().setVisible(ControlId::BaudRateList, false);
    EXPECT_EQ(controls().selectedRow(ControlId::BaudRateList), 4);
    EXPECT_EQ(controls().text(ControlId::BaudRateList), "4800");
}

TEST_F(ControlsTest, PictureShowsTheImageItIsGiven) {
    QImage image(350, 150, QImage::Format_RGB888);
    image.fill(QColor(40, 0, 0));
    image.setPixelColor(116, 40, QColor(255, 0, 0));
    controls().showImage(ControlId::Picture, image);
    const QImage shown = widget<QLabel>(ControlId::Picture)->pixmap().toImage();
    ASSERT_EQ(shown.size(), image.size());
    EXPECT_EQ(shown.pixelColor(116, 40), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(40, 0, 0));
}

TEST_F(ControlsTest, TableRowsGoInAtTheirPositionAndComeOutByRange) {
    const ControlId table = ControlId::LogTable;
    controls().addRow(table, "t1\nr1\nOFF\nOFF", 0);
    controls().addRow(table, "t2\nr2\nON\nOFF", 0);
    controls().addRow(table, "t0\nr0\nOFF\nON");  // at the end
    controls().addRow(table, "t3\nr3\nON\nON", 1);
    ASSERT_EQ(controls().rowCount(table), 4);
    const std::vector<std::string> times = {"t2", "t3", "t1", "t0"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(controls().cellText(table, row, 0), times[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(controls().cellText(table, 3, 3), "ON");

    controls().removeRows(table, 3);
    controls().removeRows(table, 0, 2);
    ASSERT_EQ(controls().rowCount(table), 1);
    EXPECT_EQ(controls().cellText(table, 0, 1), "r1");
    controls().removeRows(table, 1, 5);
    controls().removeRows(table, -1, 1);
    EXPECT_EQ(controls().rowCount(table), 1);
    controls().removeRows(table, 0, 100);
    EXPECT_EQ(controls().rowCount(table), 0);
}

TEST_F(ControlsTest, OperationsThatDoNotFitAControlChangeNothing) {
    controls().setText(ControlId::ModelList, "6620.101 VEXILOR 220VAC");
    controls().setSelectedRow(ControlId::MaxRecordsField, 1);
    controls().addRow(ControlId::ResetButton, "x");
    controls().setTicked(ControlId::HoldButton, true);
    EXPECT_EQ(controls().selectedRow(ControlId::ModelList), -1);
    EXPECT_EQ(controls().selectedRow(ControlId::MaxRecordsField), -1);
    EXPECT_EQ(controls().text(ControlId::MaxRecordsField), "1000");
    EXPECT_EQ(controls().rowCount(ControlId::ResetButton), 0);
    EXPECT_EQ(controls().text(ControlId::ResetButton), "Reset");
    EXPECT_FALSE(controls().ticked(ControlId::HoldButton));
    EXPECT_EQ(controls().cellText(ControlId::ModelList, 0, 0), "");
}

}  // namespace
}  // namespace vexilor
