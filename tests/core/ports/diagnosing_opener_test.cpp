#include "core/ports/diagnosing_opener.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"
#include "../../support/pseudo_terminal.h"
#include "core/link/serial_port_opener.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::PseudoTerminal;

class DiagnosingOpenerTest : public ::testing::Test {
protected:
    DiagnosingOpenerTest()
        : m_serial([this](int slot) {
              return slot == 1   ? m_system.Dev("ttyUSB0").string()
                     : slot == 2 ? m_system.Dev("ttyUSB1").string()
                                 : std::string();
          }),
          m_roots(m_system.roots()),
          m_opener(m_serial, m_roots, m_language) {
        m_system.AddUsbAdapter("ttyUSB0", {0x1a86, 0x7523, "", "", "", "ch341"});
        m_system.LinkNode("ttyUSB0", m_pty.slave());
    }

    FixtureSystem m_system;
    PseudoTerminal m_pty;
    SerialPortOpener m_serial;
    SystemRoots m_roots;
    Language m_language = Language::English;
    DiagnosingPortOpener m_opener;
};

TEST_F(DiagnosingOpenerTest, AFailedOpenIsExplainedByTheDoctorsFindingAndPointsToTheDoctor) {
    m_system.AddProcess(4321, "minicom", {m_pty.slave()});
    std::string error;
    // minicom takes no exclusive hold of its own in this test; the radio's transfer does.
    const auto held = SerialPort::Open(m_pty.slave(), kTransferProfile, &error);
    ASSERT_NE(held, nullptr) << error;
    const PortOpener::Opened opened = m_opener.Open("COM1", kTransferProfile);
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_EQ(opened.error,
              "COM1: " + m_system.Dev("ttyUSB0").string() +
                  " is open in minicom (pid 4321). To fix: close minicom, or end it: kill "
                  "4321\nFor a full check run: radioprog-cli doctor --port COM1");

    m_language = Language::Chinese;
    EXPECT_EQ(
        m_opener.Open("COM2", kTransferProfile).error,
        "COM2: " + m_system.Dev("ttyUSB1").string() +
            " 不存在。解决：请插上编程线；radioprog-cli ports 列出本机的串口，radioprog-cli ports "
            "bind COM2 设备 可绑定其中之一\n完整检查请运行：radioprog-cli doctor --port COM2");
}

TEST_F(DiagnosingOpenerTest, APathGivenDirectlyIsNamedOnceAndANameWithoutADeviceKeepsItsWords) {
    const std::string missing = m_system.Dev("ttyUSB9").string();
    EXPECT_EQ(
        m_opener.Open(missing, kTransferProfile).error,
        missing +
            " does not exist. To fix: plug the cable in; radioprog-cli ports lists the serial "
            "ports this computer has, and radioprog-cli ports bind COM1 DEVICE binds "
            "one\nFor a full check run: radioprog-cli doctor --port " +
            missing);
    EXPECT_EQ(m_opener.Open("COM3", kTransferProfile).error,
              "COM3 is not one of the ports COM1 to COM4\nFor a full check run: radioprog-cli "
              "doctor --port COM3");
    // What opens is left as it is.
    const PortOpener::Opened opened = m_opener.Open("COM1", kTransferProfile);
    EXPECT_NE(opened.port, nullptr) << opened.error;
    EXPECT_EQ(m_opener.DeviceFor("COM1"), m_system.Dev("ttyUSB0").string());
}

}  // namespace
}  // namespace radioprog
