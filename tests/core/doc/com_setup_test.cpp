#include "core/doc/com_setup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "../../support/pseudo_terminal.h"
#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/port_map.h"
#include "core/link/serial_port_opener.h"

namespace radioprog {
namespace {

using testing::PseudoTerminal;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

constexpr std::string_view kKey = "Software\\radioprog-test";

// Answers the probe from a list of port numbers; opens nothing for real.
class ListedOpener : public PortOpener {
public:
    explicit ListedOpener(std::set<int> openable) : m_openable(std::move(openable)) {}
    Opened Open(const std::string&, const TimeoutProfile&) override { return {}; }
    bool CanOpen(const std::string& portName) override {
        const std::optional<int> slot = ComSlot(portName);
        return slot && m_openable.contains(*slot);
    }

private:
    std::set<int> m_openable;
};

class ComSetupTest : public ::testing::Test {
protected:
    ComSetupTest() {
        WriteText(m_dir / "Program.ini", "[Setup]\nAppName=radioprog-test\n");
        LoadIni(m_context);
    }
    void LoadIni(AppContext& context) {
        EXPECT_TRUE(context.profile.Load(SingleFolderLayout(m_dir.path())).ok());
    }
    void Save(std::uint32_t number) {
        ASSERT_TRUE(m_context.userStore.SetInt(kKey, kSavedPortValue, number).ok());
    }

    TempDir m_dir;
    AppContext m_context{m_dir / "radioprog" / "user.ini"};
};

TEST_F(ComSetupTest, ANewViewTakesTheLowByteOfTheSavedPortOrCom1) {
    const struct {
        std::optional<std::uint32_t> saved;
        const char* portName;
    } cases[] = {
        {std::nullopt, "COM1"}, {3, "COM3"}, {0x103, "COM3"}, {0, "COM0"}, {7, "COM7"},
        {0xFFFFFFFF, "COM255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portName);
        std::filesystem::remove(m_context.userStore.file());
        if (c.saved) {
            Save(*c.saved);
        }
        m_context.link.portName = "/dev/ttyUSB5";
        LoadSavedPort(m_context);
        EXPECT_EQ(m_context.link.portName, c.portName);
    }
}

TEST_F(ComSetupTest, TheKeyFollowsTheSetupAppNameAndTheValueNameIgnoresCase) {
    std::filesystem::create_directories(m_context.userStore.file().parent_path());
    WriteText(m_context.userStore.file(),
              "[software\\RADIOPROG-TEST]\nCOM=4\n[Software\\other]\ncom=2\n[Software\\]\ncom=3\n");
    LoadSavedPort(m_context);
    EXPECT_EQ(m_context.link.portName, "COM4");

    m_context.profile.SetValue("Setup", "AppName", "other");
    LoadSavedPort(m_context);
    EXPECT_EQ(m_context.link.portName, "COM2");

    // Without an AppName the key is "Software\" alone.
    m_context.profile.SetValue("Setup", "AppName", "");
    EXPECT_EQ(SavedPortKey(m_context.SetupAppName()), "Software\\");
    LoadSavedPort(m_context);
    EXPECT_EQ(m_context.link.portName, "COM3");
}

TEST_F(ComSetupTest, TheDialogShowsWhichPortsOpenAndPreselectsTheSavedOneWhenItOpens) {
    const struct {
        const char* what;
        std::optional<std::uint32_t> saved;
        std::set<int> openable;
        int selectedIndex;
    } cases[] = {
        {"nothing saved", std::nullopt, {1, 2, 3, 4}, -1},
        {"saved COM3 opens", 3, {1, 3}, 2},
        {"saved COM2 does not open", 2, {1, 3}, -1},
        {"saved COM7 opens: beyond the buttons", 7, {7}, 6},
        {"the whole value, not its low byte", 0x103, {3, 0x103}, 0x102},
        {"COM0 has no index", 0, {0}, -1},
        {"a negative number names no COM port", 0xFFFFFFFF, {1, 2, 3, 4}, -1},
        {"the lowest number has no index below it", 0x80000000, {1, 2, 3, 4}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(m_context.userStore.file());
        if (c.saved) {
            Save(*c.saved);
        }
        ListedOpener opener(c.openable);
        const ComSetupView view = OpenComSetup(m_context, opener);
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(view.openable[static_cast<std::size_t>(slot - 1)], c.openable.contains(slot))
                << "COM" << slot;
        }
        EXPECT_EQ(view.selectedIndex, c.selectedIndex);
    }
}

TEST_F(ComSetupTest, TheProbeOpensTheBoundDevicesAndLeavesThemFree) {
    PseudoTerminal idle;
    PseudoTerminal held;
    WriteText(m_dir / "file", "not a terminal");
    SerialPortOpener opener(StoredPortBinding(m_context.userStore));
    ASSERT_TRUE(SetPortDevice(m_context.userStore, 1, idle.slave().string()).ok());
    ASSERT_TRUE(SetPortDevice(m_context.userStore, 2, held.slave().string()).ok());
    ASSERT_TRUE(SetPortDevice(m_context.userStore, 3, (m_dir / "ttyUSB9").string()).ok());
    ASSERT_TRUE(SetPortDevice(m_context.userStore, 4, (m_dir / "file").string()).ok());
    // A transfer running on COM2.
    const PortOpener::Opened transfer = opener.Open("COM2", kTransferProfile);
    ASSERT_NE(transfer.port, nullptr) << transfer.error;

    Save(1);
    ComSetupView view = OpenComSetup(m_context, opener);
    EXPECT_EQ(view.openable, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(view.selectedIndex, 0);
    Save(2);
    EXPECT_EQ(OpenComSetup(m_context, opener).selectedIndex, -1);

    // Asking took nothing away: COM1 opens, and the transfer's line still works.
    EXPECT_NE(opener.Open("COM1", kTransferProfile).port, nullptr);
    ASSERT_TRUE(transfer.port->Write(std::vector<std::uint8_t>{0x06}));
    EXPECT_EQ(held.Receive(1), std::vector<std::uint8_t>{0x06});
}

TEST_F(ComSetupTest, OkMakesTheCheckedPortCurrentAndSavesItForTheNextView) {
    const struct {
        int checkedIndex;
        const char* portName;
        const char* nextView;
    } cases[] = {{0, "com1", "COM1"}, {2, "com3", "COM3"}, {3, "com4", "COM4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portName);
        ASSERT_TRUE(ApplyComSetup(c.checkedIndex, m_context).ok());
        EXPECT_EQ(m_context.link.portName, c.portName);

        AppContext nextRun(m_context.userStore.file());
        LoadIni(nextRun);
        LoadSavedPort(nextRun);
        EXPECT_EQ(nextRun.link.portName, c.nextView);
        ListedOpener opener({1, 2, 3, 4});
        EXPECT_EQ(OpenComSetup(nextRun, opener).selectedIndex, c.checkedIndex);
    }
}

TEST_F(ComSetupTest, OkWithNoButtonCheckedKeepsTheCurrentAndTheSavedPort) {
    for (const bool saved : {false, true}) {
        SCOPED_TRACE(saved ? "COM2 saved" : "nothing saved");
        std::filesystem::remove(m_context.userStore.file());
        if (saved) {
            Save(2);
        }
        const std::string before = saved ? ReadText(m_context.userStore.file()) : "";
        for (const int checkedIndex : {-1, 4, 6}) {
            m_context.link.portName = "COM2";
            ASSERT_TRUE(ApplyComSetup(checkedIndex, m_context).ok());
            EXPECT_EQ(m_context.link.portName, "COM2");
            EXPECT_EQ(std::filesystem::exists(m_context.userStore.file()), saved);
            if (saved) {
                EXPECT_EQ(ReadText(m_context.userStore.file()), before);
            }
        }
    }
}

TEST_F(ComSetupTest, APortThatCannotBeSavedIsStillMadeCurrentAndTheFailureSaid) {
    // The store's folder is a file, so nothing can be written under it.
    WriteText(m_dir / "radioprog", "in the way");
    const Status status = ApplyComSetup(1, m_context);
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(m_context.link.portName, "com2");
}

}  // namespace
}  // namespace radioprog
