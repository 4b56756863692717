#include "program_fixture.h"

#include <fstream>
#include <sstream>

namespace vexilor::test {

void ProgramFixture::writeFile(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

std::string ProgramFixture::readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vexilor::test
