#pragma once
// The instrument's parameter set as the Programming controls show it: one
// text per control. The controls are its only storage; a ParameterSet is a
// snapshot read when the set is sent or saved.

#include <string>

#include "controls.h"

namespace vexilor {

struct ParameterSet {
    std::string funct;
    std::string pulre;
    std::string adjti;
    std::string ureal;
    std::string udisp;
    std::string al1On;
    std::string al1Low;
    std::string al1Auto;
    std::string al1Open;
    std::string al1Value;
    std::string al2On;
    std::string al2Low;
    std::string al2Auto;
    std::string al2Open;
    std::string al2Value;
    std::string analgOn;
    std::string analgTens;
    std::string analgValue;
    std::string decp;
    std::string countUp;
    std::string countValue;
    std::string prphn;
    std::string baudr;

    friend bool operator==(const ParameterSet&, const ParameterSet&) = default;
};

// The texts of the 23 controls: a list gives its selected row's text (empty
// when none is selected), a field its text.
ParameterSet ReadParameterSet(const Controls& controls);

}  // namespace vexilor
