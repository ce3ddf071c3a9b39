#include "core/ports/process_table.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;

TEST(ProcessTable, FindsTheProgramsThatHoldADevice) {
    FixtureSystem system;
    system.MakeNode("ttyUSB0", 0660);
    system.MakeNode("ttyUSB1", 0660);
    system.AddById("usb-cable", "ttyUSB0");
    const auto device = system.Dev("ttyUSB0");
    system.AddProcess(4321, "minicom", {system.top() / "somewhere", device});
    system.AddProcess(17, "ModemManager", {system.Dev("ttyUSB1")});
    system.AddProcess(999, "radioprog", {device});
    std::filesystem::create_directories(system.top() / "proc" / "self");
    std::filesystem::create_directories(system.top() / "proc" / "sys");

    const auto holders = FindHolders(device, system.roots());
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(holders[0].pid, 999);
    EXPECT_EQ(holders[0].program, "radioprog");
    EXPECT_EQ(holders[1].pid, 4321);
    EXPECT_EQ(holders[1].program, "minicom");
    // Asked by the by-id link, the holders are found by the device the kernel opened.
    EXPECT_EQ(FindHolders(system.Dev("serial/by-id/usb-cable"), system.roots()).size(), 2u);
    EXPECT_TRUE(FindHolders(system.Dev("ttyUSB7"), system.roots()).empty());

    EXPECT_TRUE(IsRunning("ModemManager", system.roots()));
    EXPECT_FALSE(IsRunning("brltty", system.roots()));
}

TEST(ProcessTable, TheRealProcessTableShowsThisProcessHoldingWhatItOpenedUntilItClosesIt) {
    testing::TempDir dir;
    const auto file = dir / "held";
    testing::WriteText(file, "");
    FILE* held = std::fopen(file.c_str(), "r");
    ASSERT_NE(held, nullptr);
    const SystemRoots roots;
    const auto holders = FindHolders(file, roots);
    std::fclose(held);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, ::getpid());
    EXPECT_TRUE(FindHolders(file, roots).empty());
}

}  // namespace
}  // namespace radioprog
