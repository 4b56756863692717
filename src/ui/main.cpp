// Shows the window until it is closed or File, Exit is chosen.

#include <QApplication>

#include "control_id.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vexilor::MainWindow window({});
    const auto close = [&window] {
        window.allowClose();
        window.close();
    };
    QObject::connect(&window, &vexilor::MainWindow::closeRequested, &window, close);
    QObject::connect(&window, &vexilor::MainWindow::menuChosen, &window, [close](int id) {
        if (id == vexilor::MenuExit) {
            close();
        }
    });
    window.show();
    return QApplication::exec();
}
