// Vexilor: live display, data logging and programming of the Vexilor
// counters on a serial line.

#include <QApplication>

#include "program_main.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return vexilor::RunProgram();
}
