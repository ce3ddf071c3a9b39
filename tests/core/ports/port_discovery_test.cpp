#include "core/ports/port_discovery.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"
#include "../../support/pseudo_terminal.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::PseudoTerminal;

constexpr const char* kProlificById =
    "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";

// A desk with four cables and a main board port, and the ttys that are no serial ports.
class PortDiscoveryTest : public ::testing::Test {
protected:
    PortDiscoveryTest() {
        m_system.AddUsbAdapter("ttyUSB0", {0x067b, 0x2303, "Prolific Technology Inc.",
                                           "USB-Serial Controller", "", "pl2303"});
        m_system.AddById(kProlificById, "ttyUSB0");
        m_system.AddUsbAdapter("ttyUSB10", {0x1a86, 0x7523, "", "USB Serial", "", "ch341"});
        m_system.AddUsbAdapter("ttyUSB2",
                               {0x0403, 0x6001, "FTDI", "FT232R USB UART", "A10K", "ftdi_sio"});
        m_system.AddUsbAdapter("ttyACM0", {0x1234, 0x5678, "Acme", "Radio Cable", "", "cdc_acm"});
        m_system.AddBuiltInPort("ttyS0");
        m_system.AddBuiltInPort("ttyS1", "0");
        m_system.AddVirtualTty("tty0");
        m_system.AddVirtualTty("ptmx");
        for (const char* node : {"ttyUSB0", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0"}) {
            m_system.MakeNode(node, 0660);
        }
    }

    FixtureSystem m_system;
};

TEST_F(PortDiscoveryTest, ListsEveryPortWithADeviceWithItsIdsStringsDriverAndStableLink) {
    const auto ports = DiscoverPorts(m_system.roots());
    const struct {
        const char* name;
        const char* driver;
        const char* english;
        const char* chinese;
    } expected[] = {
        {"ttyACM0", "cdc_acm", "Acme Radio Cable (1234:5678)", "Acme Radio Cable (1234:5678)"},
        {"ttyS0", "serial", "built-in serial port (serial)", "内置串口 (serial)"},
        {"ttyUSB0", "pl2303", "Prolific PL2303 (067b:2303)", "Prolific PL2303 (067b:2303)"},
        {"ttyUSB2", "ftdi_sio", "FTDI FT232R (0403:6001)", "FTDI FT232R (0403:6001)"},
        {"ttyUSB10", "ch341", "QinHeng CH340 (1a86:7523)", "QinHeng CH340 (1a86:7523)"},
    };
    ASSERT_EQ(ports.size(), std::size(expected));
    for (std::size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(ports[i].name, expected[i].name);
        EXPECT_EQ(ports[i].device, m_system.Dev(expected[i].name));
        EXPECT_EQ(ports[i].driver, expected[i].driver);
        EXPECT_EQ(DescribePort(ports[i], Language::English), expected[i].english);
        EXPECT_EQ(DescribePort(ports[i], Language::Chinese), expected[i].chinese);
    }
    const DiscoveredPort& prolific = ports[2];
    ASSERT_TRUE(prolific.usb);
    EXPECT_EQ(prolific.usb->id, (UsbId{0x067b, 0x2303}));
    EXPECT_EQ(prolific.usb->manufacturer, "Prolific Technology Inc.");
    EXPECT_EQ(prolific.usb->product, "USB-Serial Controller");
    EXPECT_EQ(prolific.byId, m_system.Dev("serial/by-id/") / kProlificById);
    EXPECT_EQ(ports[3].usb->serial, "A10K");
    EXPECT_TRUE(ports[3].byId.empty());
    EXPECT_FALSE(ports[1].usb);
    EXPECT_EQ(PortLine(prolific, Language::English),
              m_system.Dev("ttyUSB0").string() + " · Prolific PL2303 (067b:2303)");
}

TEST_F(PortDiscoveryTest, AnUnknownAdapterIsNamedByItsStringsOrItsDriver) {
    FixtureSystem bare;
    bare.AddUsbAdapter("ttyUSB0", {0x9999, 0x0001, "", "", "", "mystery"});
    bare.AddUsbAdapter("ttyUSB1", {0x9999, 0x0002, "", "Cable", "", "mystery"});
    const auto ports = DiscoverPorts(bare.roots());
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(DescribePort(ports[0], Language::English), "mystery (9999:0001)");
    EXPECT_EQ(DescribePort(ports[1], Language::Chinese), "Cable (9999:0002)");
}

TEST_F(PortDiscoveryTest, ADeviceTheUserNamesIsTheDiscoveredPortItLeadsToOrAPortOfItsOwn) {
    const auto ports = DiscoverPorts(m_system.roots());
    const auto byId = m_system.Dev("serial/by-id/") / kProlificById;
    EXPECT_EQ(IdentifyDevice(byId, ports, m_system.roots()).name, "ttyUSB0");
    EXPECT_EQ(IdentifyDevice(m_system.Dev("ttyUSB2"), ports, m_system.roots()).driver, "ftdi_sio");

    PseudoTerminal pty;
    const DiscoveredPort own = IdentifyDevice(pty.slave(), ports, m_system.roots());
    EXPECT_TRUE(own.name.empty());
    EXPECT_TRUE(own.pseudoTerminal);
    EXPECT_EQ(own.device, pty.slave());
    EXPECT_EQ(PortLine(own, Language::English), pty.slave().string() + " · pseudo-terminal");
    EXPECT_EQ(DescribePort(own, Language::Chinese), "伪终端");

    const DiscoveredPort missing = IdentifyDevice(m_system.Dev("ttyUSB7"), ports, m_system.roots());
    EXPECT_FALSE(missing.pseudoTerminal);
    EXPECT_EQ(PortLine(missing, Language::English), m_system.Dev("ttyUSB7").string());
}

TEST_F(PortDiscoveryTest, TheStablePathIsTheByIdLinkWhenThereIsOne) {
    const auto byId = m_system.Dev("serial/by-id/") / kProlificById;
    EXPECT_EQ(StablePath(m_system.Dev("ttyUSB0"), m_system.roots()), byId);
    EXPECT_EQ(StablePath(byId, m_system.roots()), byId);
    EXPECT_EQ(StablePath(m_system.Dev("ttyUSB2"), m_system.roots()), m_system.Dev("ttyUSB2"));
    // A link elsewhere to the same device leads to it too.
    std::filesystem::create_symlink(m_system.Dev("ttyUSB0"), m_system.top() / "cable");
    EXPECT_EQ(StablePath(m_system.top() / "cable", m_system.roots()), byId);
}

TEST(PortDiscovery, AMachineWithoutSysfsHasNoPorts) {
    SystemRoots roots = SystemRoots::Under("/nonexistent-radioprog-root");
    EXPECT_TRUE(DiscoverPorts(roots).empty());
}

}  // namespace
}  // namespace radioprog
