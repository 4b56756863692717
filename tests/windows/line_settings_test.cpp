// The values the Win32 port hands to the driver, checked without a device.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "serial_port_win32.h"

namespace vexilor::win32 {
namespace {

constexpr std::int32_t LineRates[] = {300, 600, 1200, 2400, 4800, 9600};

// The fields the port sets, cleared, so that what is left can be compared
// byte for byte with what the driver reported.
DCB WithoutSetFields(DCB state) {
    state.BaudRate = 0;
    state.ByteSize = 0;
    state.Parity = 0;
    state.StopBits = 0;
    state.fParity = 0;
    state.fOutxCtsFlow = 0;
    state.fRtsControl = 0;
    return state;
}

DCB AllBitsSet() {
    DCB state;
    std::memset(&state, 0xFF, sizeof state);
    state.DCBlength = sizeof(DCB);
    return state;
}

DCB NothingSet() {
    DCB state;
    std::memset(&state, 0, sizeof state);
    state.DCBlength = sizeof(DCB);
    return state;
}

// What a driver typically reports for a port last used by a terminal
// program: 115200 7O2 with hardware and XON/XOFF flow control.
DCB TerminalState() {
    DCB state = NothingSet();
    state.BaudRate = 115200;
    state.fBinary = TRUE;
    state.fOutxCtsFlow = TRUE;
    state.fOutxDsrFlow = TRUE;
    state.fDtrControl = DTR_CONTROL_HANDSHAKE;
    state.fDsrSensitivity = TRUE;
    state.fOutX = TRUE;
    state.fInX = TRUE;
    state.fRtsControl = RTS_CONTROL_HANDSHAKE;
    state.fAbortOnError = TRUE;
    state.XonLim = 2048;
    state.XoffLim = 512;
    state.ByteSize = 7;
    state.Parity = ODDPARITY;
    state.StopBits = TWOSTOPBITS;
    state.XonChar = 0x11;
    state.XoffChar = 0x13;
    state.ErrorChar = '?';
    state.EofChar = 0x1A;
    state.EvtChar = '\n';
    return state;
}

TEST(LineSettingsTest, SetsInstrumentLineAndKeepsEverythingElse) {
    const struct {
        const char* name;
        DCB found;
    } drivers[] = {
        {"all bits set", AllBitsSet()},
        {"nothing set", NothingSet()},
        {"terminal", TerminalState()},
    };
    for (const auto& driver : drivers) {
        for (const std::int32_t baud : LineRates) {
            SCOPED_TRACE(std::string(driver.name) + " at " + std::to_string(baud));
            const DCB line = WithLineSettings(driver.found, baud);
            EXPECT_EQ(line.BaudRate, static_cast<DWORD>(baud));
            EXPECT_EQ(line.ByteSize, 8);
            EXPECT_EQ(line.Parity, NOPARITY);
            EXPECT_EQ(line.StopBits, ONESTOPBIT);
            EXPECT_EQ(line.fParity, 1u);
            EXPECT_EQ(line.fOutxCtsFlow, 0u);
            EXPECT_EQ(line.fRtsControl, static_cast<DWORD>(RTS_CONTROL_DISABLE));

            const DCB kept = WithoutSetFields(line);
            const DCB read = WithoutSetFields(driver.found);
            EXPECT_EQ(std::memcmp(&kept, &read, sizeof(DCB)), 0)
                << "a field outside the instrument's settings changed";
        }
    }
}

TEST(LineSettingsTest, AcceptsOnlyTheInstrumentRates) {
    for (const std::int32_t baud : LineRates) {
        EXPECT_TRUE(IsLineBaud(baud)) << baud;
    }
    for (const std::int32_t baud : {0, -9600, 110, 1234, 14400, 19200, 115200}) {
        EXPECT_FALSE(IsLineBaud(baud)) << baud;
    }
}

TEST(LineSettingsTest, ReadsWaitForAllBytesAndWritesGiveUpByLength) {
    const COMMTIMEOUTS timeouts = LineTimeouts();
    EXPECT_EQ(timeouts.ReadIntervalTimeout, 0u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 100u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 10u);
}

TEST(LineSettingsTest, DevicePathTakesFirst59Characters) {
    const std::string prefix = "\\\\.\\";
    const std::string name59(59, 'A');
    const struct {
        std::string name;
        std::string path;
    } cases[] = {
        {"COM1", prefix + "COM1"},
        {"COM256", prefix + "COM256"},
        {"", prefix},
        {name59, prefix + name59},
        {name59 + "B", prefix + name59},
        {name59 + std::string(41, 'C'), prefix + name59},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DevicePath(c.name), c.path);
    }
}

}  // namespace
}  // namespace vexilor::win32
