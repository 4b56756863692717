// vexilor-ports: prints the ports the program's Port list would hold, one per
// line, in order: the same scan the program runs at start-up. The run script
// uses it to find the simulator's row.

#include <cstdio>

#include "link.h"

int main() {
    vexilor::SerialPort port;
    for (const std::string& name : vexilor::ProbePorts(port)) {
        std::printf("%s\n", name.c_str());
    }
    return 0;
}
