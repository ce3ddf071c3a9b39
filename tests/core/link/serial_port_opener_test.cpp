#include "core/link/serial_port_opener.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../../support/pseudo_terminal.h"
#include "../../support/temp_dir.h"
#include "core/doc/port_map.h"
#include "core/doc/user_store.h"
#include "core/link/port_names.h"

namespace radioprog {
namespace {

using testing::PseudoTerminal;
using testing::TempDir;

class SerialPortOpenerTest : public ::testing::Test {
protected:
    TempDir m_dir;
    UserStore m_store{m_dir / "user.ini"};
    SerialPortOpener m_opener{StoredPortBinding(m_store)};
};

TEST_F(SerialPortOpenerTest, OpensTheDeviceAPortNameIsBoundTo) {
    PseudoTerminal line;
    ASSERT_TRUE(SetPortDevice(m_store, 3, line.slave().string()).ok());
    for (const std::string& name : {std::string("com3"), line.slave().string()}) {
        SCOPED_TRACE(name);
        const PortOpener::Opened opened = m_opener.Open(name, kTransferProfile);
        ASSERT_NE(opened.port, nullptr) << opened.error;
        EXPECT_EQ(opened.error, "");
        ASSERT_TRUE(opened.port->Write(std::vector<std::uint8_t>{0x02}));
        EXPECT_EQ(line.Receive(1), std::vector<std::uint8_t>{0x02});
    }
}

TEST_F(SerialPortOpenerTest, SaysWhichPortFailedAndWhy) {
    PseudoTerminal line;
    ASSERT_TRUE(SetPortDevice(m_store, 1, line.slave().string()).ok());
    const PortOpener::Opened holder = m_opener.Open("COM1", kTransferProfile);
    ASSERT_NE(holder.port, nullptr) << holder.error;
    const std::string slave = line.slave().string();
    const std::string missing = (m_dir / "ttyUSB9").string();
    ASSERT_TRUE(SetPortDevice(m_store, 2, missing).ok());

    const struct {
        std::string name;
        std::string error;
    } cases[] = {
        {"COM7", "COM7 is not one of the ports COM1 to COM4"},
        {"com0", "com0 is not one of the ports COM1 to COM4"},
        {"COM2", "COM2: no such device: " + missing},
        {missing, "no such device: " + missing},
        {"com1", "com1: " + slave + " is in use by another program"},
        {slave, slave + " is in use by another program"},
        {"", "no port chosen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PortOpener::Opened opened = m_opener.Open(c.name, kTransferProfile);
        EXPECT_EQ(opened.port, nullptr);
        EXPECT_EQ(opened.error, c.error);
    }
}

}  // namespace
}  // namespace radioprog
