#include "core/doc/port_map.h"

#include <gtest/gtest.h>

#include <string>

#include "../../support/temp_dir.h"
#include "core/doc/user_store.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

class PortMapTest : public ::testing::Test {
protected:
    TempDir m_dir;
    UserStore m_store{m_dir / "radioprog" / "user.ini"};
};

TEST_F(PortMapTest, ComNamesResolveThroughTheDefaultMapOtherNamesAreDevicePaths) {
    const struct {
        std::string_view name;
        std::string device;
    } cases[] = {
        {"COM1", "/dev/ttyUSB0"},
        {"com2", "/dev/ttyUSB1"},
        {"Com3", "/dev/ttyACM0"},
        {"cOm4", "/dev/ttyS0"},
        {"COM0", ""},
        {"com7", ""},
        {"COM5", ""},
        {"/dev/pts/3", "/dev/pts/3"},
        {"/dev/serial/by-id/usb-FTDI_cable-if00-port0",
         "/dev/serial/by-id/usb-FTDI_cable-if00-port0"},
        {"ttyUSB0", "ttyUSB0"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResolvePortDevice(c.name, m_store), c.device);
    }
    EXPECT_FALSE(std::filesystem::exists(m_store.file()));
}

TEST_F(PortMapTest, TheUsersChoiceOfDeviceIsKeptForTheNextRun) {
    const std::string byId = "/dev/serial/by-id/usb-Prolific_USB-Serial-if00-port0";
    ASSERT_TRUE(SetPortDevice(m_store, 2, byId).ok());
    ASSERT_TRUE(SetPortDevice(m_store, 4, "/dev/ttyUSB3").ok());

    const UserStore nextRun(m_store.file());
    EXPECT_EQ(ResolvePortDevice("com2", nextRun), byId);
    EXPECT_EQ(ResolvePortDevice("COM4", nextRun), "/dev/ttyUSB3");
    EXPECT_EQ(ResolvePortDevice("COM1", nextRun), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevice(nextRun, 3), "/dev/ttyACM0");
    EXPECT_EQ(ReadText(m_store.file()),
              "[Software\\radioprog\\Ports]\nCOM2=" + byId + "\nCOM4=/dev/ttyUSB3\n");

    ASSERT_TRUE(SetPortDevice(m_store, 2, "").ok());
    EXPECT_EQ(ResolvePortDevice("COM2", nextRun), "/dev/ttyUSB1");
}

TEST_F(PortMapTest, AHandWrittenMapMatchesKeyAndNamesInAnyCase) {
    std::filesystem::create_directories(m_store.file().parent_path());
    WriteText(m_store.file(), "[software\\RADIOPROG\\ports]\ncom3=/dev/ttyUSB7\nCom1=\n");
    EXPECT_EQ(ResolvePortDevice("COM3", m_store), "/dev/ttyUSB7");
    EXPECT_EQ(ResolvePortDevice("COM1", m_store), "/dev/ttyUSB0");
}

TEST_F(PortMapTest, OnlyCom1ToCom4CanBeBound) {
    for (const int slot : {0, 5, 7, -1}) {
        SCOPED_TRACE(slot);
        const Status status = SetPortDevice(m_store, slot, "/dev/ttyUSB0");
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(status.message(),
                  "COM" + std::to_string(slot) + " is not one of the ports COM1 to COM4");
        EXPECT_EQ(PortDevice(m_store, slot), "");
        EXPECT_EQ(DefaultPortDevice(slot), "");
    }
    EXPECT_FALSE(std::filesystem::exists(m_store.file()));
}

}  // namespace
}  // namespace radioprog
