// The scan of the system's tty class folder for devices with a driver.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "port_names.h"

namespace vexilor {
namespace {

using Names = std::vector<std::string>;

// A stand-in for /sys/class/tty: real devices have a device/driver link.
class TtyClassDirTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ =
            std::filesystem::temp_directory_path() /
            ("vexilor-tty-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "drivers" / "serial8250");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void addDevice(const std::string& name, bool withDriver) {
        const auto device = root_ / "class" / name / "device";
        std::filesystem::create_directories(device);
        if (withDriver) {
            std::filesystem::create_directory_symlink(root_ / "drivers" / "serial8250",
                                                      device / "driver");
        }
    }
    void addVirtual(const std::string& name) {
        std::filesystem::create_directories(root_ / "class" / name);
    }

    std::filesystem::path root_;
};

TEST_F(TtyClassDirTest, ListsOnlyDevicesWithDriver) {
    addVirtual("tty1");
    addVirtual("tty10");
    addVirtual("console");
    addDevice("ttyS10", true);
    addDevice("ttyS2", true);
    addDevice("ttyUSB0", true);
    addDevice("ttyACM1", false);
    std::ofstream(root_ / "class" / "ptmx") << "not a directory";

    Names names = TtyNamesWithDriver(root_ / "class");
    SortNaturally(names);
    EXPECT_EQ(names, (Names{"ttyS2", "ttyS10", "ttyUSB0"}));
}

TEST_F(TtyClassDirTest, MissingDirectoryListsNothing) {
    EXPECT_TRUE(TtyNamesWithDriver(root_ / "no-such-dir").empty());
}

}  // namespace
}  // namespace vexilor
