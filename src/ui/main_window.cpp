#include "main_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <array>

#include "control_factory.h"
#include "latin1.h"
#include "log_table.h"
#include "window_placement.h"

namespace vexilor {
namespace {

constexpr std::array<int, 4> IconSizes = {16, 24, 32, 64};

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : IconSizes) {
        icon.addFile(QStringLiteral(":/icons/vexilor-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

bool TakesFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

}  // namespace

MainWindow::MainWindow(const std::vector<std::string>& portNames, QWidget* parent)
    : QMainWindow(parent) {
    setUpFrame();
    buildMenu();
    // The menu bar takes its height from the client area; the outer size
    // stays as if there were none.
    const int menuHeight = menuBar()->sizeHint().height();
    auto* client = new QWidget(this);
    setCentralWidget(client);
    buildTopArea(client, portNames);
    buildTabPanel(client, menuHeight);
    setTabOrder();
    placeOnScreen();
}

MainWindow::~MainWindow() {
    // The children outlive this part of the window; none of their last
    // events may reach it.
    for (const auto& [object, id] : watched_) {
        object->removeEventFilter(this);
    }
}

void MainWindow::setUpFrame() {
    setWindowTitle(QStringLiteral("Vexilor"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeightWithoutMenu);
    setWindowIcon(ProgramIcon());
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);
}

void MainWindow::buildMenu() {
    struct Item {
        const char* menu;
        const char* text;
        int id;
    };
    constexpr std::array<Item, 2> Items = {
        {{"File", "Exit", MenuExit}, {"Help", "About...", MenuAbout}}};
    for (const Item& item : Items) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(item.menu));
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { emit menuChosen(id); });
    }
}

void MainWindow::buildTopArea(QWidget* client, const std::vector<std::string>& portNames) {
    for (const ControlSpec& entry : TopAreaControls()) {
        addControl(entry, client);
        if (entry.id == ControlId::PortList) {
            for (const std::string& name : portNames) {
                controls_.addRow(ControlId::PortList, name);
            }
        }
    }
}

void MainWindow::buildTabPanel(QWidget* client, int menuHeight) {
    tabs_ = new QTabWidget(client);
    tabs_->setGeometry(TabPanelX, TabPanelY, TabPanelWidth, TabPanelHeightWithoutMenu - menuHeight);
    controls_.add(ControlId::TabPanel, tabs_);
    created_.push_back(tabs_);
    reportUserActions(ControlId::TabPanel, tabs_);
    for (const PageSpec& pageSpec : TabPages()) {
        auto* page = new QWidget;
        tabs_->addTab(page, ToQString(pageSpec.title));
        for (const ControlSpec& entry : pageSpec.controls) {
            addControl(entry, page);
        }
    }
    tabs_->setCurrentIndex(0);
}

void MainWindow::addControl(const ControlSpec& entry, QWidget* parent) {
    QWidget* widget = CreateControl(entry, parent);
    controls_.add(entry.id, widget);
    created_.push_back(widget);
    reportUserActions(entry.id, widget);
}

// Only signals that user actions alone raise are connected, so a value the
// program writes never comes back as a control event.
void MainWindow::reportUserActions(ControlId id, QWidget* widget) {
    const auto raise = [this, id] { emit controlEvent(id); };
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        connect(list, &QComboBox::activated, this, raise);
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        connect(field, &QLineEdit::textEdited, this, raise);
        watchEvents(id, field);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, raise);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        connect(tabs, &QTabWidget::tabBarClicked, this, raise);
    } else if (auto* table = qobject_cast<LogTable*>(widget)) {
        watchEvents(id, table->viewport());
    } else if (qobject_cast<QLabel*>(widget) != nullptr && id == ControlId::Picture) {
        watchEvents(id, widget);
    }
}

void MainWindow::watchEvents(ControlId id, QWidget* widget) {
    widget->installEventFilter(this);
    watched_.emplace_back(widget, id);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool focus = type == QEvent::FocusIn || type == QEvent::FocusOut;
    const bool click = type == QEvent::MouseButtonRelease;
    if (focus || click) {
        for (const auto& [object, id] : watched_) {
            if (object != watched) {
                continue;
            }
            // Fields report focus changes; the table and the picture clicks.
            const bool isField = qobject_cast<QLineEdit*>(object) != nullptr;
            if (isField == focus) {
                emit controlEvent(id);
            }
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setTabOrder() {
    QWidget* previous = nullptr;
    for (QWidget* widget : created_) {
        if (!TakesFocus(widget)) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::placeOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    move(area.topLeft() + CentredPosition(area.size(), frameGeometry().size()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        event->accept();
        return;
    }
    // The program decides whether and when the window goes.
    event->ignore();
    emit closeRequested();
}

}  // namespace vexilor
