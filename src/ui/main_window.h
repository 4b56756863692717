#pragma once
// The program's single window: its menu, the top-area controls, the tab
// panel with its three pages, and the Controls by which the rest of the
// program reads and writes them. The window holds no logic: user actions
// come out as signals, and closing is only a request until allowClose().

#include <QMainWindow>
#include <string>
#include <vector>

#include "control_id.h"
#include "control_layout.h"
#include "widget_controls.h"

class QTabWidget;

namespace vexilor {

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // portNames fill the Port list, in this order.
    explicit MainWindow(const std::vector<std::string>& portNames, QWidget* parent = nullptr);
    ~MainWindow() override;

    Controls& controls() { return controls_; }
    const Controls& controls() const { return controls_; }
    // The widget of a control, or nullptr for an unknown identifier.
    QWidget* control(ControlId id) const { return controls_.widget(id); }

    // Lets the next close go through instead of raising closeRequested.
    void allowClose() { closeAllowed_ = true; }

  signals:
    // A user action on a control; values the program writes raise none.
    void controlEvent(vexilor::ControlId id);
    // A menu item was chosen: MenuExit or MenuAbout.
    void menuChosen(int id);
    // The user asked to close the window (close box, system menu, Alt+F4).
    void closeRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setUpFrame();
    void buildMenu();
    void buildTopArea(QWidget* client, const std::vector<std::string>& portNames);
    void buildTabPanel(QWidget* client, int menuHeight);
    void addControl(const ControlSpec& entry, QWidget* parent);
    void reportUserActions(ControlId id, QWidget* widget);
    void watchEvents(ControlId id, QWidget* widget);
    void setTabOrder();
    void placeOnScreen();

    WidgetControls controls_;
    QTabWidget* tabs_ = nullptr;
    // The controls in creation order, for the keyboard walk.
    std::vector<QWidget*> created_;
    // Widgets whose focus changes or clicks raise control events.
    std::vector<std::pair<QObject*, ControlId>> watched_;
    bool closeAllowed_ = false;
};

}  // namespace vexilor
