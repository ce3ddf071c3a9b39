#include "core/doc/com_slots.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"
#include "../../support/pseudo_terminal.h"
#include "core/doc/app_context.h"
#include "core/doc/port_map.h"
#include "core/link/serial_port_opener.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::PseudoTerminal;

TEST(ComSlots, EachButtonSaysWhatDeviceItStandsForAndAGreyedOneWhy) {
    testing::TempDir dir;
    FixtureSystem system;
    PseudoTerminal cable;
    PseudoTerminal held;
    system.AddUsbAdapter("ttyUSB0", {0x067b, 0x2303, "", "", "", "pl2303"});
    system.LinkNode("ttyUSB0", cable.slave());
    system.AddUsbAdapter("ttyUSB1", {0x1a86, 0x7523, "", "", "", "ch341"});
    system.LinkNode("ttyUSB1", held.slave());
    system.AddProcess(4321, "minicom", {held.slave()});
    AppContext context(dir / "user.ini");
    context.system = system.roots();
    for (int slot = 1; slot <= 4; ++slot) {
        const auto node = slot == 1   ? "ttyUSB0"
                          : slot == 2 ? "ttyUSB1"
                          : slot == 3 ? "ttyACM0"
                                      : "pts-gone";
        ASSERT_TRUE(SetPortDevice(context.userStore, slot, system.Dev(node).string()).ok());
    }
    SerialPortOpener opener(StoredPortBinding(context.userStore));
    ComSetupView view;
    view.openable = {true, false, false, false};

    const auto lines = DescribeComSlots(context, opener, view);
    EXPECT_EQ(lines[0].device, system.Dev("ttyUSB0").string() + " · Prolific PL2303 (067b:2303)");
    EXPECT_EQ(lines[0].reason, "");
    EXPECT_EQ(lines[1].device, system.Dev("ttyUSB1").string() + " · QinHeng CH340 (1a86:7523)");
    EXPECT_EQ(lines[1].reason, system.Dev("ttyUSB1").string() + " is open in minicom (pid 4321)");
    EXPECT_EQ(lines[2].device, system.Dev("ttyACM0").string());
    EXPECT_EQ(lines[2].reason, system.Dev("ttyACM0").string() + " does not exist");

    // Greyed without a cause the doctor sees: the probe's own word.
    context.language = Language::Chinese;
    view.openable = {false, true, true, true};
    EXPECT_EQ(DescribeComSlots(context, opener, view)[0].reason, "现在无法打开");
}

TEST(ComSlots, ChangeAndFindBindTheCheckedSlotElseCom1) {
    EXPECT_EQ(SlotToBind(2), 3);
    EXPECT_EQ(SlotToBind(0), 1);
    EXPECT_EQ(SlotToBind(-1), 1);
    EXPECT_EQ(SlotToBind(6), 1);
}

}  // namespace
}  // namespace radioprog
