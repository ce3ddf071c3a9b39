#include "core/ports/process_table.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;

TEST(ProcessTable, FindsTheProgramsThatHoldADeviceButTheAskingOne) {
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

    const auto holders = FindHolders(device, system.roots(), 999);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, 4321);
    EXPECT_EQ(holders[0].program, "minicom");
    // Asked by the by-id link, the holder is found by the device the kernel opened.
    EXPECT_EQ(FindHolders(system.Dev("serial/by-id/usb-cable"), system.roots(), 999).size(), 1u);
    EXPECT_TRUE(FindHolders(system.Dev("ttyUSB7"), system.roots(), 999).empty());

    EXPECT_TRUE(IsRunning("ModemManager", system.roots()));
    EXPECT_FALSE(IsRunning("brltty", system.roots()));
}

TEST(ProcessTable, TheRealProcessTableShowsThisProcessHoldingWhatItOpened) {
    testing::TempDir dir;
    const auto file = dir / "held";
    testing::WriteText(file, "");
    FILE* held = std::fopen(file.c_str(), "r");
    ASSERT_NE(held, nullptr);
    const SystemRoots roots;
    const auto holders = FindHolders(file, roots, 0);
    std::fclose(held);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, ::getpid());
    EXPECT_TRUE(FindHolders(file, roots, ::getpid()).empty());
}

}  // namespace
}  // namespace radioprog
