#include "run_cycle.h"

#include "log_line.h"
#include "logging_step.h"
#include "reading_value.h"

namespace vexilor {
namespace {

bool Stopped(const CycleContext& c) {
    return c.link.protocol.stopRequested();
}

// A device that hung up or failed (an unplugged adapter) counts as a port
// that is not open from here on.
bool DeviceWentAway(CycleContext& c) {
    if (c.link.port.isOpen() && c.link.port.deviceGone()) {
        c.link.port.close();
        c.link.lost = true;
    }
    return !c.link.port.isOpen();
}

// One attempt per cycle to open a lost device again with its old settings.
void TryReconnect(CycleContext& c) {
    if (!c.link.lost || c.link.port.isOpen()) {
        return;
    }
    if (c.link.port.open(c.link.openedName, c.link.openedBaud)) {
        c.link.lost = false;
        c.linkError.clear();
    }
}

// Checksum and presence of a query reply; gives the reading text, "---" when
// no instrument answered.
std::string CheckedReadingText(const InstrumentReply& reply, LinkError& linkError) {
    if (!ChecksumMatches(reply)) {
        linkError.set(IncorrectChecksumText);
    }
    std::string text = ReadingText(reply);
    if (!InstrumentPresent(reply)) {
        linkError.set(NoInstrumentText);
        text = NoReadingText;
    }
    return text;
}

void LoggingStep(CycleContext& c, const std::string& logLine) {
    if (AdvanceLogTick(c.logging)) {
        c.sink.logLine(logLine, c.logging.maxRecords.load());
    }
}

void RunClosedCycle(CycleContext& c) {
    c.linkError.set(CantOpenPrefix + c.portText);
    const std::string error = c.linkError.text();
    const InstrumentReply none{};
    c.sink.drawReading(none, error);
    LoggingStep(c, BuildLogLine(CurrentLocalTime(), error, none));
}

void RunOpenCycle(CycleContext& c) {
    InstrumentProtocol& protocol = c.link.protocol;
    // After every exchange: a stop ends the cycle silently, a vanished device
    // turns it into a cycle on a port that is not open.
    auto interrupted = [&c] {
        if (Stopped(c)) {
            return true;
        }
        if (DeviceWentAway(c)) {
            RunClosedCycle(c);
            return true;
        }
        return false;
    };

    DiscardInput(c.link.port);
    protocol.QueryTransaction();
    if (interrupted())
        return;
    protocol.QueryTransaction();
    if (interrupted())
        return;
    const InstrumentReply third = protocol.QueryTransaction();
    if (interrupted())
        return;
    const std::string firstText = CheckedReadingText(third, c.linkError);
    const InstrumentReply fourth = protocol.QueryTransaction();
    if (interrupted())
        return;
    const std::string secondText = CheckedReadingText(fourth, c.linkError);

    const MaxMinTexts maxMin = AssignMaxMin(firstText, secondText);
    c.sink.showMaxMin(MaxLabelPrefix + maxMin.max, MinLabelPrefix + maxMin.min);

    protocol.PollTransaction();
    if (interrupted())
        return;
    const InstrumentReply shown = protocol.PollTransaction();
    if (interrupted())
        return;
    if (!ChecksumMatches(shown)) {
        c.linkError.set(IncorrectChecksumText);
    }

    const std::string error = c.linkError.text();
    c.sink.drawReading(shown, error);
    const std::string logLine = BuildLogLine(CurrentLocalTime(), error, shown);
    c.linkError.clear();
    LoggingStep(c, logLine);
}

}  // namespace

void RunCycle(CycleContext& context) {
    TryReconnect(context);
    if (DeviceWentAway(context)) {
        RunClosedCycle(context);
        return;
    }
    RunOpenCycle(context);
}

}  // namespace vexilor
