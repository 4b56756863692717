#include "instrument_link.h"

namespace vexilor {

void OpenInstrumentLink(InstrumentLink& link, const std::string& name, std::int32_t baud,
                        LinkError& error) {
    link.lost = false;
    link.openedName = name;
    link.openedBaud = baud;
    OpenLink(link.port, name, baud, error);
}

void CloseInstrumentLink(InstrumentLink& link) {
    link.lost = false;
    CloseLink(link.port);
}

}  // namespace vexilor
