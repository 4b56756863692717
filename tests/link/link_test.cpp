#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "link.h"
#include "port_names.h"
#include "pty_pair.h"

namespace vexilor {
namespace {

using test::Bytes;
using test::PtyPair;
using test::WaitUntil;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class LinkTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty_.ok()) << pty_.errorText(); }

    PtyPair pty_;
    SerialPort port_;
    LinkError error_;
};

TEST_F(LinkTest, OpenLinkSetsLinkError) {
    struct Case {
        std::string name;
        std::int32_t baud;
        bool opens;
        std::string error;
    };
    const Case cases[] = {
        {"/dev/nonexistent", 9600, false, "Can't open /dev/nonexistent"},
        {"", 9600, false, "Can't open "},
        {pty_.slavePath(), 19200, false, "Can't open " + pty_.slavePath()},
        {pty_.slavePath(), 4800, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " at " + std::to_string(c.baud));
        error_.set("left over from before");
        OpenLink(port_, c.name, c.baud, error_);
        EXPECT_EQ(port_.isOpen(), c.opens);
        EXPECT_EQ(error_.text(), c.error);
        CloseLink(port_);
        EXPECT_FALSE(port_.isOpen());
    }
}

TEST_F(LinkTest, OpenLinkFailsOnDeviceHeldByAnotherPort) {
    SerialPort holder;
    ASSERT_TRUE(holder.open(pty_.slavePath(), 9600)) << holder.lastErrorText();
    OpenLink(port_, pty_.slavePath(), 9600, error_);
    EXPECT_FALSE(port_.isOpen());
    EXPECT_EQ(error_.text(), CantOpenPrefix + pty_.slavePath());

    holder.close();
    OpenLink(port_, pty_.slavePath(), 9600, error_);
    EXPECT_TRUE(port_.isOpen());
    EXPECT_TRUE(error_.empty());
}

TEST_F(LinkTest, DiscardInputDropsWhatIsWaiting) {
    ASSERT_TRUE(port_.open(pty_.slavePath(), 9600)) << port_.lastErrorText();
    for (const std::int32_t waiting : {0, 1, 255, 256, 257, 300}) {
        SCOPED_TRACE(waiting);
        Bytes junk(static_cast<std::size_t>(waiting));
        for (std::size_t i = 0; i < junk.size(); ++i) {
            junk[i] = static_cast<std::uint8_t>(i);
        }
        ASSERT_TRUE(pty_.writeToMaster(junk));
        ASSERT_TRUE(WaitUntil([&] { return port_.bytesWaiting() == waiting; }));
        DiscardInput(port_);
        EXPECT_EQ(port_.bytesWaiting(), 0);

        // Input that comes afterwards is kept whole.
        ASSERT_TRUE(pty_.writeToMaster({0xA5, 0x5A}));
        ASSERT_TRUE(WaitUntil([&] { return port_.bytesWaiting() == 2; }));
        std::uint8_t next[2] = {};
        EXPECT_EQ(port_.read(next, 2), 2);
        EXPECT_EQ(next[0], 0xA5);
        EXPECT_EQ(next[1], 0x5A);
    }
}

TEST_F(LinkTest, DiscardInputOnClosedPortDoesNothing) {
    DiscardInput(port_);
    EXPECT_FALSE(port_.isOpen());
    EXPECT_EQ(port_.bytesWaiting(), 0);
}

TEST_F(LinkTest, ProbePortsListsExtraPortsThatOpen) {
    PtyPair busy;
    ASSERT_TRUE(busy.ok()) << busy.errorText();
    SerialPort busyHolder;
    ASSERT_TRUE(busyHolder.open(busy.slavePath(), 9600)) << busyHolder.lastErrorText();

    const std::string missing = "/dev/nonexistent-vexilor-port";
    const ScopedEnv extra("VEXILOR_EXTRA_PORTS",
                          missing + "::" + busy.slavePath() + ":" + pty_.slavePath() + ":");
    const std::vector<std::string> present = ProbePorts(port_);

    ASSERT_FALSE(present.empty());
    // The extra ports come after the system's own, so the pty is last.
    EXPECT_EQ(present.back(), pty_.slavePath());
    EXPECT_EQ(std::count(present.begin(), present.end(), missing), 0);
    EXPECT_EQ(std::count(present.begin(), present.end(), busy.slavePath()), 0);
    EXPECT_FALSE(port_.isOpen());

    // Each port was closed again after its probe.
    SerialPort again;
    EXPECT_TRUE(again.open(pty_.slavePath(), 9600)) << again.lastErrorText();
}

TEST_F(LinkTest, PortCandidatesPutSystemDevicesFirstThenExtraPaths) {
    const ScopedEnv extra("VEXILOR_EXTRA_PORTS", ":/tmp/b-port::/tmp/a-port:");
    const std::vector<std::string> candidates = PortCandidates();

    ASSERT_GE(candidates.size(), 2u);
    const std::vector<std::string> tail(candidates.end() - 2, candidates.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"/tmp/b-port", "/tmp/a-port"}));

    const std::vector<std::string> system(candidates.begin(), candidates.end() - 2);
    for (const std::string& name : system) {
        EXPECT_EQ(name.rfind("/dev/", 0), 0u) << name;
    }
    EXPECT_TRUE(std::is_sorted(
        system.begin(), system.end(),
        [](const std::string& a, const std::string& b) { return NaturalLess(a, b); }));
}

}  // namespace
}  // namespace vexilor
