#include "core/ports/port_listing.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"
#include "../../support/pseudo_terminal.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;
using testing::PseudoTerminal;

TEST(PortListing, EveryPortWithTheSlotsThatLeadToItAndWhetherItOpensNow) {
    FixtureSystem system;
    PseudoTerminal pty;
    system.AddUsbAdapter("ttyUSB0", {0x067b, 0x2303, "", "", "", "pl2303"});
    system.LinkNode("ttyUSB0", pty.slave());
    system.AddById("usb-Prolific-if00-port0", "ttyUSB0");
    system.AddUsbAdapter("ttyUSB1", {0x1a86, 0x7523, "", "", "", "ch341"});
    const auto byId = system.Dev("serial/by-id/usb-Prolific-if00-port0").string();
    const PortBinding binding = [&](int slot) {
        return slot == 1 || slot == 3 ? byId : slot == 2 ? system.Dev("ttyUSB1").string() : "";
    };
    const auto rows =
        ListPorts(PortEnvironment::Current(system.roots()), binding, Language::English);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].port.name, "ttyUSB0");
    EXPECT_EQ(rows[0].comSlots, (std::vector<int>{1, 3}));
    EXPECT_TRUE(rows[0].openable);
    EXPECT_EQ(rows[0].reason, "");
    EXPECT_EQ(rows[1].comSlots, std::vector<int>{2});
    EXPECT_FALSE(rows[1].openable);
    EXPECT_EQ(rows[1].reason,
              "the kernel has ttyUSB1, but " + system.Dev("ttyUSB1").string() + " does not exist");
}

}  // namespace
}  // namespace radioprog
