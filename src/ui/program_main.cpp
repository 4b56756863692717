#include "program_main.h"

#include <QEventLoop>

#include "display_image.h"
#include "instrument_link.h"
#include "lifecycle.h"
#include "link.h"
#include "main_window.h"
#include "process_state.h"
#include "qt_dialogs.h"

namespace vexilor {

int RunProgram(const std::string& settingsFile, const ProgramHooks& hooks) {
    ProcessState state;
    state.aboutText = MakeAboutText();

    InstrumentLink link;
    // The picture exists before the control that shows it.
    DisplayImage display;
    MainWindow window(hooks.probePorts ? hooks.probePorts(link.port) : ProbePorts(link.port));
    QtDialogs dialogs(&window);
    Lifecycle lifecycle(window.controls(), dialogs, display, state, link);

    QEventLoop loop;
    lifecycle.setOnEnd([&loop] { loop.quit(); });
    QObject::connect(&window, &MainWindow::controlEvent, &window,
                     [&lifecycle](ControlId id) { lifecycle.onControlEvent(id); });
    QObject::connect(&window, &MainWindow::menuChosen, &window,
                     [&lifecycle](int id) { lifecycle.onMenuItem(id); });
    QObject::connect(&window, &MainWindow::closeRequested, &window,
                     [&lifecycle] { lifecycle.onWindowClosed(); });

    window.show();
    lifecycle.startUp(settingsFile);
    if (hooks.started) {
        hooks.started(window, lifecycle);
    }
    if (!lifecycle.endRequested()) {
        loop.exec();
    }

    lifecycle.shutDown(settingsFile);
    window.allowClose();
    window.close();
    return 0;
}

}  // namespace vexilor
