#include "core/doc/port_map.h"

#include <gtest/gtest.h>

#include <string>

#include "../../support/fixture_system.h"
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

TEST_F(PortMapTest, ABoundCableIsKeptByItsByIdLinkSoThatItKeepsItsSlotWhenPluggedElsewhere) {
    testing::FixtureSystem system;
    system.AddUsbAdapter("ttyUSB0", {0x067b, 0x2303, "", "", "", "pl2303"});
    system.MakeNode("ttyUSB0", 0660);
    system.AddById("usb-Prolific-if00-port0", "ttyUSB0");
    system.MakeNode("ttyS0", 0660);
    const auto byId = system.Dev("serial/by-id/usb-Prolific-if00-port0");

    ASSERT_TRUE(BindPort(m_store, 2, system.Dev("ttyUSB0"), system.roots()).ok());
    EXPECT_EQ(PortDevice(m_store, 2), byId.string());
    ASSERT_TRUE(BindPort(m_store, 4, system.Dev("ttyS0"), system.roots()).ok());
    EXPECT_EQ(StoredPortDevice(m_store, 4), system.Dev("ttyS0").string());
    EXPECT_EQ(StoredPortDevice(m_store, 1), std::nullopt);
    EXPECT_FALSE(BindPort(m_store, 5, system.Dev("ttyS0"), system.roots()).ok());

    // Re-plugged into another socket, the cable is ttyUSB1 and COM2 follows it.
    system.Unplug("ttyUSB0");
    system.AddUsbAdapter("ttyUSB1", {0x067b, 0x2303, "", "", "", "pl2303"});
    system.MakeNode("ttyUSB1", 0660);
    system.AddById("usb-Prolific-if00-port0", "ttyUSB1");
    EXPECT_TRUE(
        std::filesystem::equivalent(ResolvePortDevice("COM2", m_store), system.Dev("ttyUSB1")));
}

TEST_F(PortMapTest, ABindingEditPutsBackWhatItChanged) {
    ASSERT_TRUE(SetPortDevice(m_store, 1, "/dev/ttyUSB3").ok());
    PortBindingEdit edit(m_store);
    ASSERT_TRUE(SetPortDevice(m_store, 1, "/dev/ttyACM1").ok());
    ASSERT_TRUE(SetPortDevice(m_store, 3, "/dev/ttyUSB4").ok());
    ASSERT_TRUE(edit.Revert().ok());
    EXPECT_EQ(StoredPortDevice(m_store, 1), "/dev/ttyUSB3");
    EXPECT_EQ(StoredPortDevice(m_store, 3), std::nullopt);
    EXPECT_EQ(PortDevice(m_store, 3), "/dev/ttyACM0");

    // A store that cannot be written says so: its folder has become a file.
    ASSERT_TRUE(SetPortDevice(m_store, 2, "/dev/ttyUSB5").ok());
    PortBindingEdit failing(m_store);
    std::filesystem::remove_all(m_store.file().parent_path());
    WriteText(m_store.file().parent_path(), "in the way");
    const Status reverted = failing.Revert();
    EXPECT_FALSE(reverted.ok());
    EXPECT_NE(reverted.message().find(m_store.file().parent_path().string()), std::string::npos)
        << reverted.message();
}

}  // namespace
}  // namespace radioprog
