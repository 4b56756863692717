// Only user actions raise control events, each with its control's id; the
// digit-only fields refuse other typed characters.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>

#include "log_table.h"
#include "window_fixture.h"

namespace vexilor {
namespace {

const std::vector<ControlId> Fields = {
    ControlId::TimeIntervalField, ControlId::MaxRecordsField, ControlId::PulreField,
    ControlId::UrealField,        ControlId::UdispField,      ControlId::Al1ValueField,
    ControlId::Al2ValueField,     ControlId::AnalgValueField, ControlId::CountValueField,
};

const std::vector<ControlId> Lists = {
    ControlId::ModelList,    ControlId::PortList,
    ControlId::BaudRateList, ControlId::PeripheralNumberList,
    ControlId::FunctList,    ControlId::AdjtiList,
    ControlId::Al1OnList,    ControlId::Al1LowList,
    ControlId::Al1AutoList,  ControlId::Al1OpenList,
    ControlId::Al2OnList,    ControlId::Al2LowList,
    ControlId::Al2AutoList,  ControlId::Al2OpenList,
    ControlId::AnalgOnList,  ControlId::AnalgTensList,
    ControlId::DecpList,     ControlId::CountUpList,
    ControlId::PrphnList,    ControlId::BaudrList,
};

class ControlEventsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        activate();
        events = std::make_unique<QSignalSpy>(window.get(), &MainWindow::controlEvent);
    }

    // Shows the page a control sits on, the way the program would.
    void showPageOf(ControlId id) {
        QWidget* control = window->control(id);
        for (int page = 0; page < tabs()->count(); ++page) {
            if (tabs()->widget(page)->isAncestorOf(control)) {
                tabs()->setCurrentIndex(page);
            }
        }
    }

    std::vector<ControlId> raised() const {
        std::vector<ControlId> ids;
        for (const QList<QVariant>& event : *events) {
            ids.push_back(event.front().value<ControlId>());
        }
        return ids;
    }

    std::unique_ptr<QSignalSpy> events;
};

TEST_F(ControlEventsTest, ValuesThatTheProgramWritesRaiseNoEvent) {
    Controls& controls = window->controls();
    for (const ControlId list : Lists) {
        controls.setSelectedRow(list, 1);
        controls.setSelectedRow(list, 0);
        controls.addRow(list, "9");
    }
    for (const ControlId field : Fields) {
        controls.setText(field, "42");
    }
    controls.setText(ControlId::MaxLabel, "Max = 000001.00");
    controls.setTicked(ControlId::DataLoggerCheck, true);
    controls.addRow(ControlId::LogTable, "a\nb\nc\nd", 0);
    controls.removeRows(ControlId::LogTable, 0);
    controls.setEnabled(ControlId::ResetButton, false);
    controls.setVisible(ControlId::PrphnList, false);
    QImage image(350, 150, QImage::Format_RGB888);
    image.fill(Qt::red);
    controls.showImage(ControlId::Picture, image);
    tabs()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(raised(), std::vector<ControlId>{});
}

TEST_F(ControlEventsTest, ClickingAButtonOrTheCheckBoxRaisesOneEventPerClick) {
    const std::vector<ControlId> buttons = {
        ControlId::ResetButton,      ControlId::HoldButton,      ControlId::DataLoggerCheck,
        ControlId::ClearTableButton, ControlId::SaveTableButton, ControlId::LoadProgButton,
        ControlId::SaveProgButton,   ControlId::WriteProgButton,
    };
    for (const ControlId id : buttons) {
        SCOPED_TRACE(static_cast<int>(id));
        showPageOf(id);
        events->clear();
        QTest::mouseClick(window->control(id), Qt::LeftButton);
        EXPECT_EQ(raised(), std::vector<ControlId>{id});
    }
    EXPECT_TRUE(window->controls().ticked(ControlId::DataLoggerCheck));
}

TEST_F(ControlEventsTest, AUserPickInAListRaisesAnEventEvenForTheSameRow) {
    for (const ControlId id : {ControlId::ModelList, ControlId::BaudrList}) {
        SCOPED_TRACE(static_cast<int>(id));
        showPageOf(id);
        auto* list = widget<QComboBox>(id);
        window->controls().setSelectedRow(id, 1);
        events->clear();
        // Open the list and take the row it opens on, the one already selected.
        list->showPopup();
        QAbstractItemView* rows = list->view();
        ASSERT_TRUE(rows->isVisible());
        EXPECT_EQ(rows->currentIndex().row(), 1);
        QTest::keyClick(rows, Qt::Key_Return);
        EXPECT_FALSE(rows->isVisible());
        EXPECT_EQ(raised(), std::vector<ControlId>{id});
        EXPECT_EQ(window->controls().selectedRow(id), 1);

        events->clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(window->controls().selectedRow(id), 2);
        ASSERT_FALSE(raised().empty());
        EXPECT_EQ(raised().back(), id);
    }
}

TEST_F(ControlEventsTest, FieldsRaiseEventsOnTypingAndOnFocusChanges) {
    showPageOf(ControlId::PulreField);
    auto* field = widget<QLineEdit>(ControlId::PulreField);
    auto* other = widget<QLineEdit>(ControlId::UrealField);

    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    EXPECT_EQ(raised(), std::vector<ControlId>{ControlId::PulreField});

    events->clear();
    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(raised(), std::vector<ControlId>{ControlId::PulreField});

    events->clear();
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    EXPECT_EQ(raised(), (std::vector<ControlId>{ControlId::PulreField, ControlId::UrealField}));
}

TEST_F(ControlEventsTest, TabHeaderTableAndPictureClicksRaiseTheirEvents) {
    QTabBar* headers = tabs()->tabBar();
    QTest::mouseClick(headers, Qt::LeftButton, {}, headers->tabRect(1).center());
    EXPECT_EQ(raised(), std::vector<ControlId>{ControlId::TabPanel});
    EXPECT_EQ(tabs()->currentIndex(), 1);

    events->clear();
    auto* table = widget<LogTable>(ControlId::LogTable);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(raised(), std::vector<ControlId>{ControlId::LogTable});

    showPageOf(ControlId::Picture);
    events->clear();
    QTest::mouseClick(window->control(ControlId::Picture), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(raised(), std::vector<ControlId>{ControlId::Picture});
}

TEST_F(ControlEventsTest, FieldsTakeTypedDigitsOnly) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {"0123456789", "0123456789"},
        {"a", ""},
        {"-5", "5"},
        {"+1", "1"},
        {"1.5", "15"},
        {"1,2 3e4", "1234"},
        {"12345678901234567890123456789012345678901234567890",
         "12345678901234567890123456789012345678901234567890"},
    };
    for (const ControlId id : Fields) {
        showPageOf(id);
        auto* field = widget<QLineEdit>(id);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(id) << " typing " << c.typed);
            window->controls().setText(id, "");
            QTest::keyClicks(field, QString::fromLatin1(c.typed));
            EXPECT_EQ(window->controls().text(id), c.kept);
        }
    }
}

}  // namespace
}  // namespace vexilor
